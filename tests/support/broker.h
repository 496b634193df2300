// A real mosquitto broker for one test: its own configuration, a free loopback
// port (and a second one with TLS, its certificates made by a test authority),
// retained messages saved on every change so that a killed broker restarts
// with them; killed when the handle goes.
#pragma once

#include <arpa/inet.h>
#include <pwd.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace palabrum::testing {

inline constexpr const char* kMosquitto = "/usr/sbin/mosquitto";

inline int FreeLoopbackPort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ::bind(s, reinterpret_cast<sockaddr*>(&address), size);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
    ::close(s);
    return ntohs(address.sin_port);
}

inline bool Accepts(int port) {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    const bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(s);
    return ok;
}

class Broker {
public:
    Broker() : port(FreeLoopbackPort()), tlsPort(FreeLoopbackPort()) {
        const std::string dir = m_dir.Path().string();
        // A test authority and a certificate for localhost that it signed.
        const std::string make = "cd '" + dir + "' && "
            "openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=PalabrumTestCA -keyout ca.key -out ca.crt && "
            "openssl req -newkey rsa:2048 -nodes -subj /CN=localhost -keyout server.key -out server.csr && "
            "printf 'subjectAltName=DNS:localhost,IP:127.0.0.1\\n' > san.ext && "
            "openssl x509 -req -in server.csr -CA ca.crt -CAkey ca.key -CAcreateserial -days 2 -extfile san.ext "
            "-out server.crt";
        tlsReady = std::system(("(" + make + ") >openssl.log 2>&1").c_str()) == 0;
        std::ofstream conf(m_dir.File("mosquitto.conf"));
        // Run as root, the broker would become the user "mosquitto", who cannot read this folder.
        const passwd* me = ::getpwuid(::getuid());
        conf << "user " << (me ? me->pw_name : "root") << "\nper_listener_settings false\nallow_anonymous true\n"
             << "persistence true\npersistence_location " << dir << "/\nautosave_interval 1\nautosave_on_changes true\n"
             << "listener " << port << " 127.0.0.1\n";
        if (tlsReady)
            conf << "listener " << tlsPort << " 127.0.0.1\ncafile " << dir << "/ca.crt\ncertfile " << dir
                 << "/server.crt\nkeyfile " << dir << "/server.key\n";
        conf.close();
        started = Start();
    }

    // Starts the broker (again); true once it takes connections.
    bool Start() {
        m_process.emplace(Child::Start({kMosquitto, "-c", m_dir.File("mosquitto.conf").string()},
                                       m_dir.File("out.log").string(), m_dir.File("err.log").string()));
        for (int i = 0; i < 100; ++i) {
            if (Accepts(port)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }
    // Kills it at once, as a crash or a pulled cable would.
    void Kill() { m_process.reset(); }

    std::string CaFile() const { return m_dir.File("ca.crt").string(); }

    const int port;
    const int tlsPort;
    bool tlsReady = false;
    bool started = false;

private:
    TempDir m_dir;
    std::optional<Child> m_process;
};

}  // namespace palabrum::testing
