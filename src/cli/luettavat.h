// kelvio read's files: the arguments in order, a folder as its regular files
// in name order, and their decoding on every core with the records still in
// that order.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "tiedosto.h"

namespace kelvio {

// The files the arguments name (bytes of POSIX paths). A folder gives its
// regular files in byte order of their names, not its subfolders, and never
// what a link points to; a folder that cannot be listed stays as it is, for
// its record to say why.
std::vector<std::string> luettavat(std::span<const std::string> argumentit);

// Decodes the files, each in its child process, tyontekijoita at once, each
// child rendering with its share of the cores. valmis
// gets each result in the files' order, from the calling thread; at most
// twice as many results as there are workers wait for their turn, so
// memory stays bounded however many files there are.
void lueJarjestyksessa(const std::vector<std::string>& polut, Rajat rajat, unsigned tyontekijoita,
                       const std::function<void(std::size_t, Tiedostotulos&&)>& valmis);

}  // namespace kelvio
