// How the command line starts and ends on the system: its standard streams
// as bytes, the console in UTF-8 only while it runs, a DLL loaded by name
// only from the system folder, a log over the file size limit a failed write
// rather than the end of the run.
#pragma once

namespace kelvio {

class Kaynnistys {
 public:
  Kaynnistys();
  ~Kaynnistys();  // the console as it was
  Kaynnistys(const Kaynnistys&) = delete;
  Kaynnistys& operator=(const Kaynnistys&) = delete;

 private:
  unsigned koodisivu_ = 0;  // the console's own, on Windows
};

}  // namespace kelvio
