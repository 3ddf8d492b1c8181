#version 330 core
// Sprites and texts. The light's geometry is worked out here, per vertex: the offset from the
// player in units of the light's radius is affine in the position, so it interpolates exactly
// and the fragment shader needs no square root or division.

in vec3 position;
in vec4 vertColor;
in vec2 texCoord;

uniform mat4 Model;
uniform mat4 View;
uniform mat4 Projection;
uniform vec3 playerPos;
uniform float spotlightRadius;
uniform int screenSpace;
uniform int hasPlayer;
uniform int godMode;
uniform float godRadius;

out vec4 tint;
out vec2 uv;
// xy: offset from the player over the radius (0 when unlit); z: radius over godRadius, or 0
// when there is no god-mode glow.
out vec3 light;

void main()
{
    vec4 world = Model * vec4(position, 1.0);
    float radius = max(spotlightRadius, 0.001);
    bool lit = screenSpace == 0 && hasPlayer != 0;
    light.xy = lit ? (world.xy - playerPos.xy) / radius : vec2(0.0);
    light.z = lit && godMode != 0 ? radius / max(godRadius, 0.001) : 0.0;
    tint = vertColor;
    uv = texCoord;
    gl_Position = Projection * View * world;
}
