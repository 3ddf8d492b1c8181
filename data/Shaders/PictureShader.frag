#version 330 core
// Pictures: the texture as it is. A fragment shader that only reads its texture is the one
// software GL copies spans with; anything multiplied in (a tint, the transparency) moves it to a
// slower path. The transparency is declared but not read: for a program that leaves it out, the
// engine fades an opaque picture by blending with a constant alpha, and draws a translucent
// picture that is fading with the default program instead.

in vec2 uv;

uniform sampler2D Texture;
uniform float transparency;

out vec4 fragColour;

void main()
{
    fragColour = texture(Texture, uv);
}
