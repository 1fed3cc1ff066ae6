#include "platform/Reporter.h"

#include <cstdio>

namespace vc {

namespace {

void print(const char* kind, const QString& text) {
    QByteArray line = text.toLocal8Bit();
    line.replace('\n', ' ');
    std::fprintf(stderr, "vellacord: %s: %s\n", kind, line.constData());
}

} // namespace

void StderrReporter::error(const QString& text) {
    print("error", text);
}

void StderrReporter::warning(const QString& text) {
    print("warning", text);
}

} // namespace vc
