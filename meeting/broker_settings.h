// Where the meeting server is and how to log in to it. The password is not
// here: it is asked for when needed and never written down.
#pragma once

#include <string>

namespace palabrum {

struct BrokerSettings {
    std::string host = "localhost";
    int port = 1883;
    bool tls = false;
    std::string caFile;  // empty: the system's certificate authorities
    std::string user;    // empty: no login
    bool operator==(const BrokerSettings&) const = default;
};

}  // namespace palabrum
