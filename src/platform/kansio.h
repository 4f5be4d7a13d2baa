// The regular files of a folder, for kelvio read's folder arguments: names
// as the bytes the rest of the program uses (a POSIX name's own bytes,
// UTF-8 on Windows), links and subfolders left out.
#pragma once

#include <string>
#include <vector>

namespace kelvio {

// False when polku is not a folder that can be listed (a link to one is
// not followed); else its regular files, in name order.
bool kansionTiedostot(const std::string& polku, std::vector<std::string>& tiedostot);

}  // namespace kelvio
