#pragma once

#include "evidence/Sources.h"

namespace vc {

// The sources of the Internet Explorer tab: Activity (the cache index),
// History, Cookie (text files and their index) and Links (favorites).
SourceSpec activitySource();
SourceSpec historySource();
SourceSpec cookieSource();
SourceSpec linksSource();

} // namespace vc
