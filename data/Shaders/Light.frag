#version 330 core
// Night lighting: a soft spotlight around the player over a dim, slightly blue ambient floor.
// The closing light of the ending drops the floor to black outside the radius. The world is
// multiplied by this map, so its edge is what lies beyond the radius.
// godMode 1 draws the god-mode glow instead: warm, strongest at the player, gone at its
// radius, premultiplied (it is laid over the lit world by its alpha).

in vec2 offset;

uniform float ambient;
uniform int spotLight;
uniform int godMode;

out vec4 fragColour;

void main()
{
    // Squared distance in radii: full light over the inner half of the circle, fading out
    // towards its edge.
    float d2 = dot(offset, offset);
    if (godMode != 0)
    {
        float glow = 0.45 * max(1.0 - d2, 0.0);
        fragColour = vec4(vec3(1.0, 0.84, 0.35) * glow, glow);
        return;
    }
    float lit = 1.0 - smoothstep(0.3, 1.0, d2);
    vec3 night = ambient * vec3(0.85, 0.9, 1.1);
    vec3 amount = mix(mix(night, vec3(1.0), lit), vec3(lit), float(spotLight != 0));
    fragColour = vec4(amount, 1.0);
}
