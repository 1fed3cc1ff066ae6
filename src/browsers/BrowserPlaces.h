#pragma once

#include "browsers/BrowserSources.h"

#include <QString>

#include <vector>

namespace vc {

// How a browser lays out the folder of a place.
enum class BrowserPlaceKind {
    ChromiumUserData, // "User Data": one sub-folder per browser profile
    ChromiumProfile,  // the place is itself the one profile (Opera on Linux)
    FirefoxProfiles,  // "Profiles": one sub-folder per browser profile
};

// One place where a browser keeps its profiles, relative to the user's
// folder: where its databases lie and where its disk cache lies (the same
// folder on Windows for the Chromium family; Firefox, and every browser on
// Linux, keeps the cache apart). Every place the program looks in is listed
// here, once.
struct BrowserPlace {
    Browser browser;
    BrowserPlaceKind kind;
    const char* databases; // "AppData/Local/Google/Chrome/User Data", ".config/chromium"
    const char* cache;     // "AppData/Local/Mozilla/Firefox/Profiles", ".cache/chromium"
};

// The places of a Windows profile: Chrome, Edge, Firefox, each in the
// Vista layout and then the XP layout.
const std::vector<BrowserPlace>& windowsBrowserPlaces();
// The places of a Linux home: the Chromium family (Chrome, Chromium, Edge,
// Brave, Vivaldi, Opera) in ~/.config, as snap and as flatpak, then Firefox
// in ~/.mozilla, as snap and as flatpak.
const std::vector<BrowserPlace>& linuxBrowserPlaces();

// The places of a user: a Linux home's or a Windows profile's.
const std::vector<BrowserPlace>& browserPlacesOf(const UserProfile& user);

// How the rows name a place: its databases' folder, "~/" before it in a
// Linux home ("~/.config/google-chrome", "AppData/Local/Google/Chrome/User
// Data").
QString browserPlaceName(const BrowserPlace& place, bool linuxHome);

} // namespace vc
