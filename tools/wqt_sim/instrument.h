// A simulated WQT power analyser. It answers the remote commands the program
// sends over a TCP stream or a COM port, records every byte it receives, and
// can be scripted with faults: silence, late or wrong replies, garbage,
// refused writes and a dropped connection.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace wqt_sim {

// What a rule does with the commands it matches.
enum class action {
    silence,  // no reply
    late,     // the normal reply, after delay_ms
    reply,    // `text` plus the line end in place of the normal reply
    raw,      // exactly `text` (no line end added) in place of the normal reply
    refuse,   // the command is not carried out; the status gets the command error bit
    drop,     // the connection is dropped (after delay_ms) before the command is carried out
};

// A scripted reaction to the commands that begin with `prefix` (compared
// without regard to case). `times` matches are affected, or every one when -1.
struct rule {
    std::string prefix;
    wqt_sim::action what = action::silence;
    std::string text;
    int delay_ms = 0;
    int times = -1;
};

// Status bits of "*esr?".
enum : int { ESR_OPC = 1, ESR_QYE = 4, ESR_DDE = 8, ESR_EXE = 16, ESR_CME = 32 };

class instrument {
public:
    instrument();

    // Identity: the "*IDN?" reply is maker,model,serial,version.
    void set_identity(const std::string& maker, const std::string& model,
                      const std::string& serial, const std::string& version);
    void set_idn_reply(const std::string& text);        // the whole line, as it stands
    void set_version_reply(const std::string& text);    // "version?" reply
    void set_line_end(const std::string& eol);          // "\r\n" (default) or "\n"
    // The CAN-bus converter: identity "TROSVALDEN,LOMX-RS232,serial,version"
    // and answers to "calstr?" and "calver?" (an empty text: no answer).
    void set_converter(const std::string& serial, const std::string& version);
    void set_calibration_replies(const std::string& calstr, const std::string& calver);
    std::string idn_reply() const;

    // Configuration items, per group (0 or 1). Unset items read as "0".
    void set_item(int id, const std::string& value, int group = 0);
    std::string item(int id, int group = 0) const;
    bool has_item(int id, int group = 0) const;
    int group() const;     // 1 or 2, as "GROUP?" reports
    bool suspended() const;

    void add_rule(const rule& r);
    void clear_rules();

    // Everything received, byte for byte, and the command lines in order
    // (without DC4, NUL or line end).
    std::string received() const;
    std::vector<std::string> commands() const;
    void clear_received();

    // Feeds received bytes; returns what to send back. Used by the transports.
    struct output {
        std::string bytes;
        int delay_ms = 0;
        bool drop = false;
    };
    std::vector<output> feed(const char* data, size_t length);

    // Bytes the instrument sends of its own accord (chatter, garbage), sent by
    // the transport as soon as it can.
    void push_unsolicited(const std::string& bytes);
    std::string take_unsolicited();
    // True while pushed bytes wait for the transport to take them.
    bool has_unsolicited() const;

private:
    std::vector<output> handle_line(const std::string& line);
    std::string respond(const std::string& upper, const std::string& line);
    bool take_rule(const std::string& upper, rule& out);

    mutable std::mutex mutex_;
    std::string idn_;
    std::string version_reply_;
    std::string calstr_reply_, calver_reply_;
    std::string eol_ = "\r\n";
    std::map<int, std::string> items_[2];
    int group_ = 1;
    int esr_ = 0;
    bool suspended_ = false;
    std::vector<rule> rules_;
    std::string received_;
    std::vector<std::string> commands_;
    std::string pending_;
    std::string unsolicited_;
};

// Gives the analyser the settings it holds when it leaves the factory where
// they are not 0, as the model of its identity numbers them, in both groups:
// the program reads its whole configuration with every item in its range.
void load_factory_settings(instrument& inst);

// Serves one instrument over TCP on address:10001, one client at a time.
class tcp_server {
public:
    explicit tcp_server(instrument& inst) : inst_(inst) {}
    ~tcp_server() { stop(); }
    // Listens on the dotted address (port 10001 unless given); false when the
    // address cannot be bound.
    bool start(const std::string& address, unsigned short port = 10001);
    void stop();
    const std::string& address() const { return address_; }
    // The Winsock error that made the last start fail (0 after one that worked).
    int start_error() const { return start_error_; }
    int connections() const { return connections_; }

private:
    void run();
    instrument& inst_;
    std::string address_;
    SOCKET listener_ = INVALID_SOCKET;
    std::atomic<bool> stopping_{false};
    std::atomic<int> connections_{0};
    std::thread thread_;
    bool wsa_ = false;
    int start_error_ = 0;
};

// Serves one instrument on a COM port ("COM11").
class serial_server {
public:
    explicit serial_server(instrument& inst) : inst_(inst) {}
    ~serial_server() { stop(); }
    bool start(const std::string& port);
    void stop();

private:
    void run();
    instrument& inst_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

// The COM port pairs that scripts/wine-run.sh made for this process, from
// KESTROVA_TEST_COM_PAIRS="10:11 12:13": {program end, instrument end}, for
// example {"COM10", "COM11"}. Empty when there are none.
std::vector<std::pair<std::string, std::string>> com_pairs_from_environment();
// The COM pair a tool uses: argv[first] and argv[first + 1] when given, else
// the first pair of the environment. False when there is none.
bool com_pair_from_arguments(int argc, char** argv, int first, std::string& program_port,
                             std::string& instrument_port);

// Starts a TCP server on a free loopback address 127.x.y.z; returns it, or
// the empty text when none could be bound.
std::string start_on_free_loopback(tcp_server& server);

} // namespace wqt_sim
