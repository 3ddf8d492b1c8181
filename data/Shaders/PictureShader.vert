#version 330 core
// Pictures: menu panels and splash slides, drawn as they were painted (no tint).

in vec3 position;
in vec4 vertColor;
in vec2 texCoord;

uniform mat4 Model;
uniform mat4 View;
uniform mat4 Projection;

out vec2 uv;

void main()
{
    uv = texCoord;
    gl_Position = Projection * View * Model * vec4(position, 1.0);
}
