#version 330 core
// Night lighting: a soft spotlight around the player over a dim, slightly blue ambient floor.
// The closing light of the ending drops the floor to black outside the radius; god mode puts a
// warm glow close around the player. Screen-space draws (HUD, menus, screen texts) and levels
// without a player come in with a zero offset and so are fully lit.

in vec4 tint;
in vec2 uv;
in vec3 light;

uniform sampler2D Texture;
uniform float transparency;
uniform float ambient;
uniform int spotLight;

out vec4 fragColour;

void main()
{
    vec4 base = texture(Texture, uv) * tint;
    // A fully transparent texel changes nothing under alpha blending: skip its blend.
    if (base.a <= 0.0)
        discard;
    // Squared distance in radii: full light over the inner half of the circle, fading out
    // towards its edge.
    float d2 = dot(light.xy, light.xy);
    float lit = 1.0 - smoothstep(0.3, 1.0, d2);
    vec3 night = ambient * vec3(0.85, 0.9, 1.1);
    vec3 amount = mix(mix(night, vec3(1.0), lit), vec3(lit), float(spotLight != 0));
    // God mode: warm, strongest at the player, gone at godRadius.
    float glow = 0.45 * max(1.0 - d2 * light.z * light.z, 0.0) * step(0.0001, light.z);
    vec3 rgb = mix(base.rgb * amount, vec3(1.0, 0.84, 0.35), glow);
    fragColour = vec4(rgb, base.a * transparency);
}
