// Standard input in batches of whole lines, and the two workers that take them.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "kasittelija.h"

namespace kelvio {

// Reads whole lines in batches of about ERA bytes and at most enintaanRiveja
// lines; a line split by a read is carried over to the next batch.
class Syotelukija {
 public:
  explicit Syotelukija(std::FILE* f) : f_(f), lohko_(1U << 16) {}

  std::size_t enintaanRiveja = 4096;  // set by what the lines make (see lueRivit)

  // False when the input has ended and nothing is left. A read error throws
  // Siirtovirhe, once the whole lines read before it have been given.
  bool tayta(std::string& era);

  // The last batch ended because no more input was ready.
  [[nodiscard]] bool odottaa() const { return odottaa_; }

  // The number of the first line of the batch that tayta gave last.
  [[nodiscard]] std::size_t rivi() const { return rivi_; }

 private:
  static constexpr std::size_t ERA = 1U << 18;
  std::FILE* f_;
  std::vector<char> lohko_;
  std::string kesken_;
  bool loppu_ = false;
  std::size_t rivi_ = 1;
  std::size_t ensimmainen_ = 0;  // lines of the batch before
  bool odottaa_ = false;
  bool alussa_ = true;      // the start of the input, where a BOM may stand
  std::string virhe_;       // a read failed: said once its lines are given
  bool viimeinen_ = false;  // and the batch with its last lines has been given

  long lue();
};

// Every line of the input through the two workers, written in input order.
void lueRivit(Syotelukija& lukija, std::FILE* tuloste, Kasittelija& a, Kasittelija& b);

}  // namespace kelvio
