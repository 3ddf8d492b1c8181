#version 330 core
// Sprites and texts: model to world (kept for the lighting), then through the camera.

in vec3 position;
in vec4 vertColor;
in vec2 texCoord;

uniform mat4 Model;
uniform mat4 View;
uniform mat4 Projection;

out vec4 tint;
out vec2 uv;
out vec3 worldPos;

void main()
{
    vec4 world = Model * vec4(position, 1.0);
    worldPos = world.xyz;
    tint = vertColor;
    uv = texCoord;
    gl_Position = Projection * View * world;
}
