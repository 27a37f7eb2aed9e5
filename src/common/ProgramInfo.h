#pragma once

// What the program says about itself and where it looks for news of itself.

// The maker's update page, opened by "Check for Updates" and by the update
// dialog's "Download Now".
inline constexpr const char* UpdatePageUrl =
    "https://www.korsa-electronics.example/tolvex/updates.htm";

// The version file checked once per run, on the same server. The environment
// variable TOLVEX_UPDATE_URL, when set and not empty, replaces the whole
// address (VersionFileAddress()).
inline constexpr const char* VersionFileUrl =
    "https://www.korsa-electronics.example/Tolvex_Version.txt";

// A version file naming a program version above this offers the update.
// The About box says 6.00; the check has always compared with 5.0.
inline constexpr double ProgramVersionForUpdates = 5.0;

// The About box.
inline constexpr const char* AboutProductTitle = "Tolvex";
inline constexpr const char* AboutVersionLine = " Version 6.00  05/22/2025";
inline constexpr const char* AboutMakerName = "Korsa Electronics";
inline constexpr const char* AboutContactLines[] = {
    "www.korsa-electronics.example",
    "support@korsa-electronics.example",
};
