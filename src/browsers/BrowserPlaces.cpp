#include "browsers/BrowserPlaces.h"

#include "evidence/UserProfile.h"

namespace vc {

namespace {

using K = BrowserPlaceKind;

} // namespace

const std::vector<BrowserPlace>& windowsBrowserPlaces() {
    static const std::vector<BrowserPlace> places = {
        {Browser::Chrome, K::ChromiumUserData, "AppData/Local/Google/Chrome/User Data",
         "AppData/Local/Google/Chrome/User Data"},
        {Browser::Chrome, K::ChromiumUserData,
         "Local Settings/Application Data/Google/Chrome/User Data",
         "Local Settings/Application Data/Google/Chrome/User Data"},
        {Browser::Edge, K::ChromiumUserData, "AppData/Local/Microsoft/Edge/User Data",
         "AppData/Local/Microsoft/Edge/User Data"},
        {Browser::Edge, K::ChromiumUserData,
         "Local Settings/Application Data/Microsoft/Edge/User Data",
         "Local Settings/Application Data/Microsoft/Edge/User Data"},
        // Firefox keeps its databases in the roaming application data and
        // its cache in the local one.
        {Browser::Firefox, K::FirefoxProfiles, "AppData/Roaming/Mozilla/Firefox/Profiles",
         "AppData/Local/Mozilla/Firefox/Profiles"},
        {Browser::Firefox, K::FirefoxProfiles, "Application Data/Mozilla/Firefox/Profiles",
         "Local Settings/Application Data/Mozilla/Firefox/Profiles"},
    };
    return places;
}

const std::vector<BrowserPlace>& linuxBrowserPlaces() {
    static const std::vector<BrowserPlace> places = {
        {Browser::Chrome, K::ChromiumUserData, ".config/google-chrome", ".cache/google-chrome"},
        {Browser::Chrome, K::ChromiumUserData, ".var/app/com.google.Chrome/config/google-chrome",
         ".var/app/com.google.Chrome/cache/google-chrome"},
        {Browser::Chromium, K::ChromiumUserData, ".config/chromium", ".cache/chromium"},
        {Browser::Chromium, K::ChromiumUserData, "snap/chromium/common/chromium",
         "snap/chromium/common/.cache/chromium"},
        {Browser::Chromium, K::ChromiumUserData, ".var/app/org.chromium.Chromium/config/chromium",
         ".var/app/org.chromium.Chromium/cache/chromium"},
        {Browser::Edge, K::ChromiumUserData, ".config/microsoft-edge", ".cache/microsoft-edge"},
        {Browser::Edge, K::ChromiumUserData, ".var/app/com.microsoft.Edge/config/microsoft-edge",
         ".var/app/com.microsoft.Edge/cache/microsoft-edge"},
        {Browser::Brave, K::ChromiumUserData, ".config/BraveSoftware/Brave-Browser",
         ".cache/BraveSoftware/Brave-Browser"},
        {Browser::Brave, K::ChromiumUserData,
         "snap/brave/current/.config/BraveSoftware/Brave-Browser",
         "snap/brave/common/.cache/BraveSoftware/Brave-Browser"},
        {Browser::Brave, K::ChromiumUserData,
         ".var/app/com.brave.Browser/config/BraveSoftware/Brave-Browser",
         ".var/app/com.brave.Browser/cache/BraveSoftware/Brave-Browser"},
        {Browser::Vivaldi, K::ChromiumUserData, ".config/vivaldi", ".cache/vivaldi"},
        {Browser::Vivaldi, K::ChromiumUserData, ".var/app/com.vivaldi.Vivaldi/config/vivaldi",
         ".var/app/com.vivaldi.Vivaldi/cache/vivaldi"},
        {Browser::Opera, K::ChromiumProfile, ".config/opera", ".cache/opera"},
        {Browser::Opera, K::ChromiumProfile, "snap/opera/current/.config/opera",
         "snap/opera/common/.cache/opera"},
        {Browser::Opera, K::ChromiumProfile, ".var/app/com.opera.Opera/config/opera",
         ".var/app/com.opera.Opera/cache/opera"},
        {Browser::Firefox, K::FirefoxProfiles, ".mozilla/firefox", ".cache/mozilla/firefox"},
        {Browser::Firefox, K::FirefoxProfiles, "snap/firefox/common/.mozilla/firefox",
         "snap/firefox/common/.cache/mozilla/firefox"},
        {Browser::Firefox, K::FirefoxProfiles, ".var/app/org.mozilla.firefox/.mozilla/firefox",
         ".var/app/org.mozilla.firefox/cache/mozilla/firefox"},
    };
    return places;
}

const std::vector<BrowserPlace>& browserPlacesOf(const UserProfile& user) {
    return user.isLinuxHome() ? linuxBrowserPlaces() : windowsBrowserPlaces();
}

QString browserPlaceName(const BrowserPlace& place, bool linuxHome) {
    const QString folder = QString::fromUtf8(place.databases);
    return linuxHome ? QStringLiteral("~/") + folder : folder;
}

} // namespace vc
