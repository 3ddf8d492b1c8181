#version 330 core
// Sprites and texts.

in vec3 position;
in vec4 vertColor;
in vec2 texCoord;

uniform mat4 Model;
uniform mat4 View;
uniform mat4 Projection;

out vec4 tint;
out vec2 uv;

void main()
{
    tint = vertColor;
    uv = texCoord;
    gl_Position = Projection * View * Model * vec4(position, 1.0);
}
