#pragma once

namespace vc {

class TSplash1;

// Fills the splash window's picture box with the drawn splash picture,
// stretched with its proportions kept above the web address. Without the
// compiled-in picture the box keeps the product name it shows.
void showSplashPicture(TSplash1& splash);

} // namespace vc
