// Scanners through SANE: the devices its backends find, and one frame read
// from the chosen device (grey or colour, 1, 8 or 16 bits per sample, single
// or three-pass) into a picture. SANE is one per process: every call of every
// ScannerSane is serialised, from any thread; SANE closes with the last one.
#pragma once

#include "acquisition/Scanner.h"

#include <memory>

namespace orv {

class ScannerSane : public Scanner {
public:
    ScannerSane();
    ~ScannerSane() override;
    ScannerSane(const ScannerSane&) = delete;
    ScannerSane& operator=(const ScannerSane&) = delete;

    std::vector<SourceAcquisition> Sources() override;
    ResultatAcquisition Acquiert(const std::string& source, ModeAcquisition mode,
                                 const std::atomic<bool>& annule,
                                 const std::function<void(int)>& progres) override;

private:
    // With the process-wide lock held.
    static bool Initialise();
};

} // namespace orv
