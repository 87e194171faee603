// orbelin-serve: the solver in a web browser. Serves the page and the API on one address until it
// is stopped with an interrupt or a termination signal.

#include "web/OrbelinServer.h"
#include "web/ServeOptions.h"

#include <csignal>
#include <filesystem>
#include <iostream>
#include <pthread.h>
#include <thread>

namespace {

// The folder of the program's files (Res/ with the language files) is the folder of the executable.
std::filesystem::path ProgramFolder() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path(error) : executable.parent_path();
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + (argc > 0 ? 1 : 0), argv + argc);
    const ServeOptionsResult parsed = ParseServeOptions(words);
    if (!parsed.options) {
        std::cerr << "orbelin-serve: " << parsed.error << "\n\n" << ServeUsageText();
        return 2;
    }
    if (parsed.options->helpRequested) {
        std::cout << ServeUsageText();
        return 0;
    }
    // The signals are taken by one thread that stops the server; every other thread blocks them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    OrbelinServer server(ProgramFolder(), parsed.options->limits);
    const int port = server.Bind(parsed.options->host, parsed.options->port);
    if (port < 0) {
        std::cerr << "orbelin-serve: cannot listen on " << parsed.options->host << ':' << parsed.options->port
                  << '\n';
        return 1;
    }
    std::cout << "orbelin-serve: listening on http://" << parsed.options->host << ':' << port << "/"
              << std::endl;
    std::thread stopper([&server, stopSignals] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        server.Stop();
    });
    const bool served = server.Run();
    if (stopper.joinable()) {
        // Run also ends when listening fails: the stopper is woken so that it can be joined.
        pthread_kill(stopper.native_handle(), SIGTERM);
        stopper.join();
    }
    return served ? 0 : 1;
}
