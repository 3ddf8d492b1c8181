// ShaderList: "Shaders/ShaderList.txt", pairs of lines naming a vertex and a fragment shader.
#pragma once

#include <string>
#include <utility>
#include <vector>

// The (vertex, fragment) pairs of a shader list's text. Blank lines are not part of a pair; a
// last line without its partner is reported (naming listPath) and left out.
std::vector<std::pair<std::string, std::string>> ReadShaderList(const std::string& text,
                                                                const std::string& listPath);
