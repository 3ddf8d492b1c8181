#version 330 core
// Sprites and texts: the texture, tinted, at the sprite's transparency. The night lighting is
// laid over the finished world by the light program (Light.frag), so this stays a plain
// texture read, which software GL draws on its fastest path. Keep it that simple.

in vec4 tint;
in vec2 uv;

uniform sampler2D Texture;
uniform float transparency;

out vec4 fragColour;

void main()
{
    fragColour = texture(Texture, uv) * tint * vec4(1.0, 1.0, 1.0, transparency);
}
