// How the command line starts and ends on the system: its standard streams
// as bytes, the console in UTF-8 only while it runs, a DLL loaded by name
// only from the system folder, a log over the file size limit a failed write
// rather than the end of the run.
#pragma once

namespace kelvio {

// What lopetaKomentorivi puts back (the console's code page on Windows).
unsigned aloitaKomentorivi();
void lopetaKomentorivi(unsigned palautettava);

}  // namespace kelvio
