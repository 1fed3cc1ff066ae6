#include "browsers/BrowserTexts.h"

#include "language/InterfaceTexts.h"

namespace vc {

namespace {

constexpr int kFirst = kTextBrowsersTab;

// The built-in English texts, in number order from kTextBrowsersTab.
const char* const kEnglish[kBrowserTextEnd - kFirst] = {
    "Chrome, Edge, Firefox",
    "History",
    "Downloads",
    "Cookies",
    "Title",
    "Visit Time",
    "Visit Count",
    "Typed Count",
    "Transition",
    "Browser",
    "Browser Profile",
    "Source File",
    "Read From (Private Copy)",
    "Target Path",
    "Start Time",
    "End Time",
    "Received Bytes",
    "Total Bytes",
    "State",
    "Path",
    "link",
    "typed",
    "bookmark",
    "subframe (automatic)",
    "subframe (manual)",
    "generated",
    "top level (automatic)",
    "form submit",
    "reload",
    "keyword",
    "keyword (generated)",
    "embed",
    "redirect (permanent)",
    "redirect (temporary)",
    "download",
    "framed link",
    "forward/back",
    "from address bar",
    "home page",
    "client redirect",
    "server redirect",
    "not started",
    "in progress",
    "complete",
    "failed",
    "cancelled",
    "paused",
    "queued",
    "blocked",
    "scanning",
    "blocked (virus)",
    "interrupted",
    "secure",
    "HTTP only",
    "(encrypted, %1 bytes)",
    "Error! The browser database cannot be read",
    "The browser database could be read only in part",
    "The browser database does not hold the expected table",
};

} // namespace

QString englishBrowserText(int n) {
    if (n < kFirst || n >= kBrowserTextEnd)
        return QString();
    return QString::fromUtf8(kEnglish[n - kFirst]);
}

QString browserText(int n) {
    const QString text = interfaceText(n);
    return text.isEmpty() ? englishBrowserText(n) : text;
}

} // namespace vc
