#pragma once

#include <string>

namespace vox {

// Where the spoken web reports come from ("voxclock.conf" [web]).
struct WebConf {
    std::string wwvUrl = "https://services.swpc.noaa.gov/text/wwv.txt";
    std::string bulletinBaseUrl;  // empty: "rsgb/" in the program folder, as a file:// address
    // The node lookup page, queried with "?node=CALL&req=..."; empty: no lookup until the owner
    // names a server that answers in the lookup's format.
    std::string lookupUrl;
    double timeoutSeconds = 10;

    bool operator==(const WebConf&) const = default;
};

// Where the web console listens ("voxclock.conf" [web_ui]); empty: no console.
struct WebUiConf {
    std::string listen = "127.0.0.1:8073";

    bool operator==(const WebUiConf&) const = default;
};

// True for an address the web port can fetch: http://host... or https://host... without blanks,
// or file:///path; none with control characters. False with the reason otherwise.
bool checkWebAddress(const std::string& url, std::string* why = nullptr);

}  // namespace vox
