// The web module: requests on Qt Network (qt_http_client.h), loaded at a program's first request
// (web_client.h).
#include "adapters/qt_http_client.h"

extern "C" __attribute__((visibility("default"))) vox::HttpClient* voxclock_web_client(
    vox::EventLoop* loop, double timeoutSeconds) {
    return new vox::QtHttpClient(*loop, timeoutSeconds);
}
