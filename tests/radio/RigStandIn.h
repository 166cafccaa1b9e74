#pragma once
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A stand-in for rigctld on 127.0.0.1 that speaks the network rig protocol
// Hamlib's model 2 speaks, so that the real libhamlib client is exercised.
// The test raises and drops its carrier, makes it refuse Morse, fall
// silent, drop the line or come late, and reads what the rig was told, in
// order: "open" (a client read the rig's capabilities), "ptt 1", "ptt 0",
// "morse TEXT", "keyspd N".
class RigStandIn {
public:
    // On a free port, which refuses connections until the stand-in listens.
    explicit RigStandIn(bool listening = true);
    ~RigStandIn();
    RigStandIn(const RigStandIn&) = delete;
    RigStandIn& operator=(const RigStandIn&) = delete;

    std::string address() const { return "127.0.0.1:" + std::to_string(port_); }
    void startListening();

    std::atomic<bool> carrier{false};
    std::atomic<bool> keyer{true};  // without one, Morse is "not available"
    std::atomic<bool> sense{true};  // without it, the carrier is "not available"
    std::atomic<bool> mute{false};  // reads every command, answers none
    std::atomic<int> carrierReads{0};
    void dropLine();  // closes the client's connection

    std::vector<std::string> record() const;
    // Waits until the rig has been told the line; false after the guard
    // time (a hang, not a slow machine: the guard is generous).
    bool waitFor(const std::string& line);

    // Whether a line occurs in the record after (not at) index from.
    static int find(const std::vector<std::string>& record, const std::string& line, int from = -1);

private:
    // The rig serves one client at a time, as a network rig client keeps one line.
    void serve();
    void converse(int client);
    std::string answer(const std::string& command);

    mutable std::mutex mutex_;
    int listenFd_;
    int port_ = 0;
    int client_ = -1;
    bool quit_ = false;
    std::vector<std::string> record_;
    std::thread thread_;
};
