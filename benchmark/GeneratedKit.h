#pragma once

#include "platform/testing/TempDir.h"

#include <string>

// A program folder laid out from the sample data kit, with its disposal sites replaced by
// generated ones: `sitesPerMaterial` sites, each with a fee line for every material, all within
// 55 km of the work site (kWorkX, kWorkY). Positions and fees come from a fixed seed, so every
// run measures the same kit. The folder goes with the object.
class GeneratedKit {
public:
    // The work site the sites surround, metres (X north, Y east of the zone origin).
    static constexpr double kWorkX = -150000.0;
    static constexpr double kWorkY = 20000.0;

    explicit GeneratedKit(int sitesPerMaterial);

    const std::string& ProgramFolder() const { return programFolder_; }
    int SitesPerMaterial() const { return sites_; }

private:
    TempDir dir_;
    std::string programFolder_;
    int sites_;
};
