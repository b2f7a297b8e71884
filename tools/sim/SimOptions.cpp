#include "SimOptions.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <stdexcept>

#include "Scenario.h"

namespace tarvo::sim {

namespace {

std::string TypeNames()
{
    std::string names;
    for (const DeviceTypeInfo* t : AllTypes())
        names += std::string(names.empty() ? "" : ", ") + t->Model;
    return names;
}

double Number(const std::string& option, const std::string& text)
{
    double v = 0;
    if (!ParseDecimal(text, v) || !std::isfinite(v))
        throw std::invalid_argument(option + " needs a number, got '" + text + "'");
    return v;
}

double Probability(const std::string& option, const std::string& text)
{
    const double p = Number(option, text);
    if (p < 0 || p > 1)
        throw std::invalid_argument(option + " needs a probability between 0 and 1, got '" + text + "'");
    return p;
}

long Integer(const std::string& option, const std::string& text, long lo, long hi)
{
    const double v = Number(option, text);
    if (v != std::floor(v) || v < lo || v > hi)
        throw std::invalid_argument(option + " needs a whole number from " + std::to_string(lo) + " to " +
                                    std::to_string(hi) + ", got '" + text + "'");
    return static_cast<long>(v);
}

}  // namespace

DeviceSpec ParseDeviceSpec(const std::string& text)
{
    const size_t at = text.find('@');
    if (at == std::string::npos)
        throw std::invalid_argument("'" + text + "' is not TYPE@GU (for example FP320@11)");
    DeviceSpec spec;
    spec.type = TypeByModel(text.substr(0, at));
    if (!spec.type)
        throw std::invalid_argument("unknown controller type '" + text.substr(0, at) + "' (known: " + TypeNames() + ")");
    const std::string gu = text.substr(at + 1);
    if (gu.size() != 2 || gu[0] < '0' || gu[0] > '9' || gu[1] < '0' || gu[1] > '9')
        throw std::invalid_argument("'" + gu + "' in '" + text + "' is not an address of two digits (group, unit)");
    spec.group = gu[0] - '0';
    spec.unit = gu[1] - '0';
    return spec;
}

SimOptions ParseOptions(const std::vector<std::string>& args)
{
    SimOptions o;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        bool inlineValue = false;
        if (name.compare(0, 2, "--") == 0) {
            const size_t eq = name.find('=');
            if (eq != std::string::npos) {
                value = name.substr(eq + 1);
                name = name.substr(0, eq);
                inlineValue = true;
            }
        } else {
            o.devices.push_back(ParseDeviceSpec(name));
            continue;
        }
        if (name == "--help" || name == "-h") {
            o.help = true;
            continue;
        }
        if (name == "--stdin" || name == "--trace") {
            if (inlineValue)
                throw std::invalid_argument(name + " takes no value");
            (name == "--stdin" ? o.commandsOnStdin : o.trace) = true;
            continue;
        }
        static const char* const Valued[] = {"--link", "--baud", "--seed", "--time-scale", "--scenario",
                                             "--process-number", "--fault-noanswer", "--fault-bcc",
                                             "--fault-mnemonic", "--fault-garbage", "--fault-foreign",
                                             "--fault-ident", "--front-keys"};
        if (std::find(std::begin(Valued), std::end(Valued), name) == std::end(Valued))
            throw std::invalid_argument("unknown option " + name);
        if (!inlineValue) {
            if (i + 1 >= args.size())
                throw std::invalid_argument(name + " needs a value");
            value = args[++i];
        }
        if (name == "--link")
            o.link = value;
        else if (name == "--baud")
            o.baud = static_cast<int>(Integer(name, value, 0, 1000000));
        else if (name == "--seed")
            o.seed = static_cast<uint32_t>(Integer(name, value, 0, 4294967295L));
        else if (name == "--time-scale") {
            o.timeScale = Number(name, value);
            if (o.timeScale <= 0)
                throw std::invalid_argument("--time-scale must be above 0");
        } else if (name == "--scenario")
            o.scenario = value;
        else if (name == "--process-number")
            o.processNumber = static_cast<int>(Integer(name, value, 0, 9999));
        else if (name == "--fault-noanswer")
            o.faults.noAnswer = Probability(name, value);
        else if (name == "--fault-bcc")
            o.faults.badBcc = Probability(name, value);
        else if (name == "--fault-mnemonic")
            o.faults.wrongMnemonic = Probability(name, value);
        else if (name == "--fault-garbage")
            o.faults.garbage = Probability(name, value);
        else if (name == "--fault-foreign")
            o.faults.foreign = Probability(name, value);
        else if (name == "--fault-ident")
            o.faults.wrongIdent = Probability(name, value);
        else
            o.faults.frontKeys = Probability(name, value);
    }
    if (!o.help && o.devices.empty())
        throw std::invalid_argument("no controllers given (for example: tarvo-sim FP320@11 KV710@12)");
    for (size_t i = 0; i < o.devices.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            if (o.devices[i].group == o.devices[j].group && o.devices[i].unit == o.devices[j].unit)
                throw std::invalid_argument("two controllers at address " + std::to_string(o.devices[i].group) +
                                            std::to_string(o.devices[i].unit));
    return o;
}

std::string UsageText()
{
    return std::string(
               "Usage: tarvo-sim [options] TYPE@GU ...\n"
               "Simulates controllers on a bus behind a pseudo-terminal. TYPE is a model (any case):\n  ") +
           TypeNames() +
           "\nGU is the address: group digit then unit digit (FP320@11 KV710@12).\n"
           "\n"
           "Prints the terminal's path (or the --link path) as the first line of standard output once\n"
           "it is ready, then serves until SIGINT or SIGTERM, or until standard input closes when\n"
           "--stdin is given.\n"
           "\n"
           "Options:\n"
           "  --link PATH           also make PATH a symbolic link to the terminal (a stale link is\n"
           "                        replaced; removed again on exit)\n"
           "  --baud N              pace replies at N baud, 10 bits a character (default 9600; 0 = no pacing)\n"
           "  --seed N              seed of every random part (default 1)\n"
           "  --time-scale X        simulated seconds per real second (default 1; 60 runs an hour a minute)\n"
           "  --scenario FILE       timed events, see below\n"
           "  --stdin               read commands (same grammar) from standard input; answers \"ok\",\n"
           "                        \"error: ...\" or the command's output, one line each\n"
           "  --process-number N    last process number of the programmers (next run gets N+1)\n"
           "  --trace               log every exchange on standard error\n"
           "Faults, each a probability 0..1 per answered exchange:\n"
           "  --fault-noanswer P    the controller stays silent\n"
           "  --fault-bcc P         data reply with a wrong block check\n"
           "  --fault-mnemonic P    data reply of another parameter\n"
           "  --fault-garbage P     a stray byte before the reply or a bad character inside it\n"
           "  --fault-foreign P     another station talks on the line after the exchange\n"
           "  --fault-ident P       \"II\" answered with another type's identification code\n"
           "  --front-keys P        someone changes a parameter at the front keys (re-read request)\n"
           "\n"
           "Scenario grammar (file and standard input):\n" +
           ScenarioGrammar;
}

}  // namespace tarvo::sim
