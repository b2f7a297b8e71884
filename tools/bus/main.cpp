// tarvo-bus: talks to the controllers on the bus directly, for technicians commissioning a
// bus. It runs the program's own link (the communication thread, the request queue, the frame
// codec and the traffic log) on the given port.
#include <cctype>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "device/Operator.h"
#include "link/Codec.h"
#include "link/Comm.h"
#include "link/Port.h"

using namespace tarvo;

namespace {

const char* const Usage = R"(Usage: tarvo-bus --port PORT [--baud-index N] [--log FILE] COMMAND

Commands:
  scan [FIRST LAST]          ask every address (00 to 99, or FIRST to LAST) for its
                             identification "II"; prints one line per address that answers,
                             e.g. "11 >3201"; a garbled answer shows the failure, e.g.
                             "23 CHESK_SUM"
  read GU MNEMONIC           prints the value text of parameter MNEMONIC at address GU, or
                             the failure (TIME_OUT, CHESK_SUM, MNEMONIK, PROTOKOL, FORMAT)
  write GU MNEMONIC VALUE [--group | --network]
                             sets the parameter; prints ACK, NAK or the failure. With --group
                             every device of group G, with --network every device gets it,
                             and none answers. A value such as ">0008" goes out as given.

Options:
  --port PORT         "COMn" (/dev/ttyS(n-1)), a device name such as ttyUSB0, or a path
  --baud-index N      speed: 0=1200 1=2400 2=4800 3=9600 (default) 4=14400 5=19200
                      6=28800 7=57600
  --log FILE          traffic log (default: serial_log.txt in the current folder;
                      --log "" for none)
  --help              this text

GU is a two-digit address: group digit and unit digit, 00 to 99.
Exit status: 0 on success (scan: at least one device answered), 1 when the bus or the port
failed, 2 for a usage error.
)";

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Args {
    bool help = false;
    std::string port;
    int baudIndex = 3;
    std::string logPath = "serial_log.txt";
    int mode = AddressOwn;
    std::vector<std::string> words;  // command and its arguments
};

struct Address {
    uint8_t group = 0;
    uint8_t unit = 0;
};

Address ParseAddress(const std::string& s)
{
    if (s.size() != 2 || !std::isdigit(static_cast<unsigned char>(s[0])) ||
        !std::isdigit(static_cast<unsigned char>(s[1])))
        throw UsageError("bad address '" + s + "': give two digits, 00 to 99");
    return {static_cast<uint8_t>(s[0] - '0'), static_cast<uint8_t>(s[1] - '0')};
}

// Only characters a controller can carry in a frame; control characters would break it.
void CheckText(const std::string& s, const char* what, char lowest)
{
    if (s.empty())
        throw UsageError(std::string("empty ") + what);
    for (char c : s)
        if (c < lowest || c > 0x7A)
            throw UsageError(std::string("bad character in ") + what + " '" + s + "'");
}

Args Parse(int argc, char** argv)
{
    Args a;
    bool group = false, network = false, options = true;
    for (int i = 1; i < argc; ++i) {
        std::string w = argv[i];
        if (!options || w.rfind("--", 0) != 0) {
            if (w == "-h")
                a.help = true;
            else
                a.words.push_back(w);
            continue;
        }
        std::string value;
        const size_t eq = w.find('=');
        const bool inlineValue = eq != std::string::npos;
        if (inlineValue) {
            value = w.substr(eq + 1);
            w = w.substr(0, eq);
        }
        auto takeValue = [&]() {
            if (inlineValue)
                return value;
            if (i + 1 >= argc)
                throw UsageError(w + " needs a value");
            return std::string(argv[++i]);
        };
        if (w == "--") {
            options = false;
        } else if (w == "--help") {
            a.help = true;
        } else if (w == "--port") {
            a.port = takeValue();
        } else if (w == "--log") {
            a.logPath = takeValue();
        } else if (w == "--baud-index") {
            const std::string v = takeValue();
            if (v.size() != 1 || v[0] < '0' || v[0] > '7')
                throw UsageError("bad baud index '" + v + "': give 0 to 7");
            a.baudIndex = v[0] - '0';
        } else if (w == "--group" && !inlineValue) {
            group = true;
        } else if (w == "--network" && !inlineValue) {
            network = true;
        } else {
            throw UsageError("unknown option " + std::string(argv[i]));
        }
    }
    if (a.help)
        return a;
    if (a.port.empty())
        throw UsageError("--port is missing");
    if (a.words.empty())
        throw UsageError("a command is missing");
    if (group && network)
        throw UsageError("--group and --network exclude each other");
    a.mode = network ? AddressNetwork : group ? AddressGroup : AddressOwn;
    return a;
}

// What to do, checked in full before the port is touched.
struct Command {
    enum Kind { Scan, Read, Write } kind = Scan;
    int first = 0, last = 99;  // scan range
    Address at;
    std::string mnemonic, value;
};

void ExpectArgs(const Args& a, size_t from, size_t to, const char* form)
{
    const size_t n = a.words.size() - 1;
    if (n < from || n > to)
        throw UsageError(std::string(n < from ? "missing" : "too many") + " arguments: " + form);
}

int Number(const Address& a) { return a.group * 10 + a.unit; }

Command ParseCommand(const Args& a)
{
    Command c;
    const std::string& name = a.words[0];
    if (name == "scan") {
        ExpectArgs(a, 0, 2, "scan [FIRST LAST]");
        if (a.words.size() == 2)
            throw UsageError("missing arguments: scan [FIRST LAST]");
        if (a.words.size() == 3) {
            c.first = Number(ParseAddress(a.words[1]));
            c.last = Number(ParseAddress(a.words[2]));
            if (c.first > c.last)
                throw UsageError("FIRST is above LAST");
        }
    } else if (name == "read") {
        ExpectArgs(a, 2, 2, "read GU MNEMONIC");
        c.kind = Command::Read;
    } else if (name == "write") {
        ExpectArgs(a, 3, 3, "write GU MNEMONIC VALUE [--group | --network]");
        c.kind = Command::Write;
        c.value = a.words[3];
        CheckText(c.value, "value", 0x20);
    } else {
        throw UsageError("unknown command '" + name + "'");
    }
    if (c.kind != Command::Scan) {
        c.at = ParseAddress(a.words[1]);
        c.mnemonic = a.words[2];
        CheckText(c.mnemonic, "mnemonic", 0x21);
    }
    if (a.mode != AddressOwn && c.kind != Command::Write)
        throw UsageError("--group and --network go with write only");
    return c;
}

// Message boxes from the link (there is only the thread's error box) go to stderr.
class ConsoleOperator : public Operator {
public:
    void Message(const std::string& text, const std::string& caption, BoxIcon) override
    {
        std::fprintf(stderr, "tarvo-bus: %s: %s\n", caption.c_str(), text.c_str());
    }
    Answer AskOkCancel(const std::string&, const std::string&, BoxIcon) override { return Answer::Cancel; }
    Answer AskYesNoCancel(const std::string&, const std::string&, BoxIcon) override { return Answer::Cancel; }
};

// The link for one run: the thread on the process-wide queue and port.
class Session {
public:
    explicit Session(const std::string& logPath) : comm_(Bus(), PortHandle(), logPath) { comm_.Start(); }
    ~Session()
    {
        comm_.Terminate();
        while (comm_.Suspended())
            comm_.Resume();
        comm_.WaitFor();
    }

    void Queue(const Bytes& request) { Bus().PushBack(request); }
    // The thread files a reply for every request it takes, within a few seconds at most.
    Bytes Collect(const Bytes& request)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        for (;;) {
            Bytes reply = Bus().TakeReply(request);
            if (!reply.empty() || std::chrono::steady_clock::now() > deadline)
                return reply.empty() ? Bytes{LinkTimeout} : reply;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    Bytes Ask(const Bytes& request)
    {
        Queue(request);
        return Collect(request);
    }
    unsigned long FailedSends() const { return comm_.FailedSends(); }

private:
    Comm comm_;
};

Bytes IdentityRequest(int addr)
{
    return BuildReadRequest(static_cast<uint8_t>(addr / 10), static_cast<uint8_t>(addr % 10), "II");
}

int Scan(Session& s, const Command& c)
{
    // All at once: the thread sends queued requests back to back.
    for (int addr = c.first; addr <= c.last; ++addr)
        s.Queue(IdentityRequest(addr));
    int found = 0;
    for (int addr = c.first; addr <= c.last; ++addr) {
        const ReadReply r = ParseReadReply(s.Collect(IdentityRequest(addr)), "II", KindHexWord, 0, 0, false);
        if (r.status == LinkTimeout)
            continue;
        if (r.status == LinkOk && r.hasValue) {
            ++found;
            std::printf("%02d %s\n", addr, r.text.c_str());
        } else {
            std::printf("%02d %s\n", addr, r.status == LinkOk ? "EOT (nothing to report)" : StatusName(r.status));
        }
        std::fflush(stdout);
    }
    if (found == 0)
        std::fprintf(stderr, "tarvo-bus: no device answered\n");
    return found > 0 ? 0 : 1;
}

int Read(Session& s, const Command& c)
{
    // Free text: the value is shown as the controller sends it, hex words included.
    const Bytes reply = s.Ask(BuildReadRequest(c.at.group, c.at.unit, c.mnemonic));
    const ReadReply r = ParseReadReply(reply, c.mnemonic, KindText, 0, 0, false);
    if (r.status == LinkOk && r.hasValue) {
        std::printf("%s\n", r.text.c_str());
        return 0;
    }
    std::printf("%s\n", r.status == LinkOk ? "EOT (nothing to report)" : StatusName(r.status));
    return 1;
}

int Write(Session& s, const Command& c, int mode)
{
    const unsigned long failedBefore = s.FailedSends();
    const Bytes reply = s.Ask(BuildWriteRequest(c.at.group, c.at.unit, mode, c.mnemonic, c.value));
    if (mode != AddressOwn) {
        // Nobody answers a group or network write; only a request that never went out fails.
        if (s.FailedSends() != failedBefore) {
            std::printf("%s (the request could not be sent)\n", StatusName(LinkTimeout));
            return 1;
        }
        std::printf("sent (no answer expected)\n");
        return 0;
    }
    if (reply == Bytes{ACK}) {
        std::printf("ACK\n");
        return 0;
    }
    if (reply == Bytes{NAK}) {
        std::printf("NAK\n");
        return 1;
    }
    // A status byte of the thread, or an answer that is no answer to a write.
    const bool statusByte = reply.size() == 1 && reply[0] >= LinkChecksum && reply[0] <= LinkFormat;
    std::printf("%s\n", StatusName(statusByte ? reply[0] : static_cast<uint8_t>(LinkProtocol)));
    return 1;
}

int Run(const Args& a)
{
    const Command c = ParseCommand(a);
    PortName = a.port;
    SpeedIndex = a.baudIndex;
    if (OpenPort() != 0) {
        std::fprintf(stderr, "tarvo-bus: cannot open port %s\n", PortError().c_str());
        return 1;
    }
    Session session(a.logPath);
    switch (c.kind) {
    case Command::Scan:
        return Scan(session, c);
    case Command::Read:
        return Read(session, c);
    case Command::Write:
        return Write(session, c, a.mode);
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fputs(Usage, stderr);
        return 2;
    }
    ConsoleOperator console;
    SetOperator(&console);
    int rc = 2;
    try {
        const Args a = Parse(argc, argv);
        if (a.help) {
            std::fputs(Usage, stdout);
            rc = 0;
        } else {
            rc = Run(a);
        }
    } catch (const UsageError& e) {
        std::fprintf(stderr, "tarvo-bus: %s\nTry 'tarvo-bus --help'.\n", e.what());
        rc = 2;
    }
    SetOperator(nullptr);
    return rc;
}
