#version 330 core
// The light map: one square around the player, drawn whenever the light's colours change and
// stretched over the world after its layers. Its position runs from -1 to 1 radii.

in vec3 position;

out vec2 offset;

void main()
{
    offset = position.xy;
    gl_Position = vec4(position.xy, 0.0, 1.0);
}
