#pragma once

// An orbelin-serve server inside the test program, on a free loopback port, and a client for it.

#include "web/OrbelinServer.h"

#include <httplib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <thread>

// The folder of the test program, which holds "Res/" with the language files as beside orbelin-serve.
inline std::filesystem::path TestProgramFolder() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

class RunningServer {
public:
    explicit RunningServer(const ServerLimits& limits = DefaultServerLimits())
        : m_server(TestProgramFolder(), limits) {
        m_port = m_server.Bind("127.0.0.1", 0);
        m_thread = std::thread([this] { m_server.Run(); });
    }
    ~RunningServer() {
        m_server.Stop();
        m_thread.join();
    }
    RunningServer(const RunningServer&) = delete;
    RunningServer& operator=(const RunningServer&) = delete;

    int Port() const { return m_port; }

    std::unique_ptr<httplib::Client> Client() const {
        auto client = std::make_unique<httplib::Client>("127.0.0.1", m_port);
        client->set_read_timeout(std::chrono::seconds(20));
        return client;
    }

private:
    OrbelinServer m_server;
    int m_port = -1;
    std::thread m_thread;
};
