#version 330 core
// Night lighting: a soft spotlight around the player over a dim, slightly blue ambient floor.
// The closing light of the ending drops the floor to black outside the radius; god mode puts a
// warm glow close around the player. Screen-space draws (HUD, menus, screen texts) and levels
// without a player are not lit.

in vec4 tint;
in vec2 uv;
in vec3 worldPos;

uniform sampler2D Texture;
uniform float transparency;
uniform float ambient;
uniform float spotlightRadius;
uniform vec3 playerPos;
uniform int spotLight;
uniform int godMode;
uniform float godRadius;
uniform int screenSpace;
uniform int hasPlayer;

out vec4 fragColour;

void main()
{
    vec4 base = texture(Texture, uv) * tint;
    vec3 rgb = base.rgb;
    if (screenSpace == 0 && hasPlayer != 0)
    {
        float d = distance(worldPos.xy, playerPos.xy);
        float radius = max(spotlightRadius, 0.001);
        // Full light over the inner half of the circle, fading out towards its edge.
        float lit = 1.0 - smoothstep(radius * 0.55, radius, d);
        vec3 night = ambient * vec3(0.85, 0.9, 1.1);
        vec3 light = spotLight != 0 ? vec3(lit) : mix(night, vec3(1.0), lit);
        rgb *= light;
        if (godMode != 0 && d < godRadius)
            rgb = mix(rgb, vec3(1.0, 0.84, 0.35), 0.45 * (1.0 - d / max(godRadius, 0.001)));
    }
    fragColour = vec4(rgb, base.a * transparency);
}
