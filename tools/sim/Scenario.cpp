#include "Scenario.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>

#include "SimBus.h"
#include "link/Codec.h"

namespace tarvo::sim {

const char* const ScenarioGrammar =
    "  One command per line; '#' starts a comment line. A line may start with 'at TIME', TIME in\n"
    "  simulated seconds since start (suffix s, m or h allowed: 90, 1.5m, 2h); without it the\n"
    "  command runs at once. GU is a controller's address (two digits, e.g. 11).\n"
    "    set GU MNEMONIC VALUE      set a parameter as the controller itself would (no limits);\n"
    "                               VALUE may be quoted to keep blanks: set 31 TX \"HELLO   \"\n"
    "    get GU MNEMONIC            print \"GU MNEMONIC VALUE\" (the text a read would return)\n"
    "    off GU | on GU             take a controller off the bus (no answers at all) and back\n"
    "    fault GU sensorN [on|off]  break (or mend) sensor input N\n"
    "    alarm GU hi|lo|dev [N]     force an alarm on input N (default 1) until 'alarm GU off [N]'\n"
    "    reread GU                  raise the re-read request (status digit 4 bit 8)\n"
    "    keys GU                    change a parameter at the front keys (and raise the re-read)\n"
    "    faults NAME P              set a fault probability: noanswer, bcc, mnemonic, garbage,\n"
    "                               foreign, ident or frontkeys\n"
    "    list                       print one line per controller: GU MODEL on|off STATUSWORD\n";

namespace {

[[noreturn]] void Fail(const Command& c, const std::string& message)
{
    std::string where = c.line > 0 ? "line " + std::to_string(c.line) + ": " : "";
    throw ScenarioError(where + message);
}

// Splits on blanks; a word in double quotes keeps its blanks.
std::vector<std::string> Words(const std::string& text, const Command& c)
{
    std::vector<std::string> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        if (i >= text.size())
            break;
        std::string w;
        if (text[i] == '"') {
            const size_t end = text.find('"', i + 1);
            if (end == std::string::npos)
                Fail(c, "missing closing quote");
            w = text.substr(i + 1, end - i - 1);
            i = end + 1;
        } else {
            while (i < text.size() && text[i] != ' ' && text[i] != '\t')
                w.push_back(text[i++]);
        }
        words.push_back(w);
    }
    return words;
}

double ParseTime(const std::string& text, const Command& c)
{
    std::string number = text;
    double unit = 1;
    if (!number.empty() && (number.back() == 's' || number.back() == 'm' || number.back() == 'h')) {
        unit = number.back() == 'm' ? 60 : number.back() == 'h' ? 3600 : 1;
        number.pop_back();
    }
    double v = 0;
    if (!ParseDecimal(number, v) || !std::isfinite(v) || v < 0)
        Fail(c, "'" + text + "' is not a time (seconds, or with s, m or h)");
    return v * unit;
}

struct Spec {
    const char* name;
    size_t minArgs;
    size_t maxArgs;
};
const Spec Specs[] = {{"set", 3, 3},   {"get", 2, 2},    {"off", 1, 1},    {"on", 1, 1},  {"fault", 2, 3},
                      {"alarm", 2, 3}, {"reread", 1, 1}, {"keys", 1, 1},   {"faults", 2, 2}, {"list", 0, 0}};

SimDevice& Device(SimBus& bus, const Command& c)
{
    const std::string& a = c.words[1];
    if (a.size() != 2 || a[0] < '0' || a[0] > '9' || a[1] < '0' || a[1] > '9')
        Fail(c, "'" + a + "' is not an address (two digits, group then unit)");
    SimDevice* d = bus.Find(a[0] - '0', a[1] - '0');
    if (!d)
        Fail(c, "no simulated controller at address " + a);
    return *d;
}

int ParamIndex(SimDevice& d, const Command& c)
{
    const int i = d.Index(c.words[2]);
    if (i < 0)
        Fail(c, std::string(d.Type().Model) + " has no parameter " + c.words[2]);
    return i;
}

int Sensor(SimDevice& d, const Command& c)
{
    const std::string& w = c.words[2];
    int n = 0;
    if (w.compare(0, 6, "sensor") != 0 || w.size() == 6 || w.size() > 8 ||
        !std::all_of(w.begin() + 6, w.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
        Fail(c, "expected sensorN, got '" + w + "'");
    n = std::stoi(w.substr(6));
    if (n < 1 || n > d.SensorCount())
        Fail(c, std::string(d.Type().Model) + " has " + std::to_string(d.SensorCount()) + " sensor input(s)");
    return n;
}

bool OnOff(const Command& c, size_t i)
{
    if (c.words.size() <= i || c.words[i] == "on")
        return true;
    if (c.words[i] == "off")
        return false;
    Fail(c, "expected on or off, got '" + c.words[i] + "'");
}

unsigned AlarmKind(const Command& c)
{
    const std::string& k = c.words[2];
    if (k == "hi")
        return ForceHigh;
    if (k == "lo")
        return ForceLow;
    if (k == "dev")
        return ForceDeviation;
    if (k == "off")
        return 0;
    Fail(c, "expected hi, lo, dev or off, got '" + k + "'");
}

int AlarmInput(SimDevice& d, const Command& c)
{
    if (d.AlarmInputs() == 0)
        Fail(c, std::string(d.Type().Model) + " has no alarms");
    int n = 1;
    if (c.words.size() > 3) {
        const std::string& w = c.words[3];
        if (w.empty() || w.size() > 2 || !std::all_of(w.begin(), w.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
            Fail(c, "'" + w + "' is not an input number");
        n = std::stoi(w);
    }
    if (n < 1 || n > d.AlarmInputs())
        Fail(c, std::string(d.Type().Model) + " has alarms on input(s) 1.." + std::to_string(d.AlarmInputs()));
    return n;
}

double* FaultRate(SimBus& bus, const Command& c)
{
    FaultRates& f = bus.Faults();
    const std::string& n = c.words[1];
    if (n == "noanswer")
        return &f.noAnswer;
    if (n == "bcc")
        return &f.badBcc;
    if (n == "mnemonic")
        return &f.wrongMnemonic;
    if (n == "garbage")
        return &f.garbage;
    if (n == "foreign")
        return &f.foreign;
    if (n == "ident")
        return &f.wrongIdent;
    if (n == "frontkeys")
        return &f.frontKeys;
    Fail(c, "unknown fault '" + n + "' (noanswer, bcc, mnemonic, garbage, foreign, ident, frontkeys)");
}

double Probability(const Command& c)
{
    double p = 0;
    if (!ParseDecimal(c.words[2], p) || p < 0 || p > 1)
        Fail(c, "'" + c.words[2] + "' is not a probability between 0 and 1");
    return p;
}

// Runs (or, with dry set, only checks) a command.
std::string Perform(SimBus& bus, const Command& c, bool dry)
{
    const std::string& name = c.words[0];
    if (name == "list") {
        std::string out;
        for (const auto& d : bus.Devices())
            out += d->Address() + " " + d->Type().Model + " " + (d->OnBus() ? "on " : "off ") + d->StatusText() + "\n";
        if (!out.empty())
            out.pop_back();
        return dry ? "" : out;
    }
    if (name == "faults") {
        double* rate = FaultRate(bus, c);
        const double p = Probability(c);
        if (!dry)
            *rate = p;
        return "";
    }
    SimDevice& d = Device(bus, c);
    if (name == "set") {
        const int i = ParamIndex(d, c);
        const ParamDesc& desc = d.Type().Params[i];
        double v = 0;
        if (desc.ValueKind == KindNumber && !ParseDecimal(c.words[3], v))
            Fail(c, "'" + c.words[3] + "' is not a number for " + c.words[2]);
        if (desc.ValueKind == KindHexWord && (c.words[3].size() != 5 || c.words[3][0] != '>'))
            Fail(c, c.words[2] + " takes '>' and four characters, e.g. >0008");
        if (!dry) {
            try {
                d.Force(i, c.words[3]);
            } catch (const std::invalid_argument& e) {
                Fail(c, e.what());
            }
        }
    } else if (name == "get") {
        const int i = ParamIndex(d, c);
        return dry ? "" : d.Address() + " " + c.words[2] + " " + d.ReadText(i);
    } else if (name == "off" || name == "on") {
        if (!dry)
            d.SetOnBus(name == "on");
    } else if (name == "fault") {
        const int n = Sensor(d, c);
        const bool on = OnOff(c, 3);
        if (!dry)
            d.SetSensorBroken(n, on);
    } else if (name == "alarm") {
        const unsigned kind = AlarmKind(c);
        const int n = AlarmInput(d, c);
        if (!dry)
            d.SetForcedAlarms(n, kind ? (d.ForcedAlarms(n) | kind) : 0);
    } else if (name == "reread") {
        if (!dry)
            d.RaiseReread();
    } else if (name == "keys") {
        if (!dry && d.FrontKeyChange() < 0)
            Fail(c, "the front keys of " + d.Address() + " are locked or it has nothing to change");
    }
    return "";
}

}  // namespace

Command ParseCommand(const std::string& text, int line)
{
    Command c;
    c.line = line;
    std::string body = text;
    while (!body.empty() && (body.back() == '\r' || body.back() == '\n'))
        body.pop_back();
    const size_t first = body.find_first_not_of(" \t");
    if (first == std::string::npos || body[first] == '#')
        return c;
    std::vector<std::string> words = Words(body, c);
    if (words[0] == "at") {
        if (words.size() < 3)
            Fail(c, "'at' needs a time and a command");
        c.at = ParseTime(words[1], c);
        words.erase(words.begin(), words.begin() + 2);
    }
    const Spec* spec = nullptr;
    for (const Spec& s : Specs)
        if (words[0] == s.name)
            spec = &s;
    if (!spec)
        Fail(c, "unknown command '" + words[0] + "'");
    const size_t args = words.size() - 1;
    if (args < spec->minArgs || args > spec->maxArgs)
        Fail(c, "'" + words[0] + "' takes " + std::to_string(spec->minArgs) +
                    (spec->maxArgs != spec->minArgs ? " to " + std::to_string(spec->maxArgs) : "") + " argument(s)");
    c.words = std::move(words);
    return c;
}

void CheckCommand(SimBus& bus, const Command& command)
{
    if (!command.words.empty())
        Perform(bus, command, true);
}

std::string RunCommand(SimBus& bus, const Command& command)
{
    if (command.words.empty())
        return "";
    return Perform(bus, command, false);
}

void Scenario::LoadFile(const std::string& path, SimBus& bus)
{
    std::ifstream in(path);
    if (!in)
        throw ScenarioError("cannot read scenario file " + path);
    std::stringstream text;
    text << in.rdbuf();
    LoadText(text.str(), bus, path);
}

void Scenario::LoadText(const std::string& text, SimBus& bus, const std::string& origin)
{
    std::istringstream in(text);
    std::string lineText;
    int line = 0;
    std::vector<Command> parsed;
    while (std::getline(in, lineText)) {
        ++line;
        try {
            Command c = ParseCommand(lineText, line);
            CheckCommand(bus, c);
            if (!c.words.empty())
                parsed.push_back(c);
        } catch (const ScenarioError& e) {
            throw ScenarioError(origin + ": " + e.what());
        }
    }
    for (Command& c : parsed) {
        if (c.at < 0)
            c.at = 0;  // a file's untimed lines run at the start
        Add(c);
    }
}

void Scenario::Add(const Command& command)
{
    const auto pos = std::upper_bound(pending_.begin(), pending_.end(), command.at,
                                      [](double t, const Command& c) { return t < c.at; });
    pending_.insert(pos, command);
}

std::vector<std::string> Scenario::RunDue(SimBus& bus, double now)
{
    std::vector<std::string> outputs;
    while (!pending_.empty() && pending_.front().at <= now) {
        const Command c = pending_.front();
        pending_.erase(pending_.begin());
        bus.Advance(c.at);
        std::string out = RunCommand(bus, c);
        if (!out.empty())
            outputs.push_back(out);
    }
    return outputs;
}

double Scenario::NextTime() const
{
    return pending_.empty() ? std::numeric_limits<double>::infinity() : pending_.front().at;
}

}  // namespace tarvo::sim
