#include "SimBus.h"

#include <stdexcept>

namespace tarvo::sim {

namespace {

// Longest text a request may carry before it is taken for noise.
constexpr size_t MaxReadMnemonic = 8;
constexpr size_t MaxWriteText = 40;

bool IsDigit(uint8_t b) { return b >= '0' && b <= '9'; }

}  // namespace

SimBus::SimBus(uint32_t seed) : rng_(seed) {}

SimBus::~SimBus() = default;

SimDevice& SimBus::Add(const DeviceTypeInfo& type, int group, int unit)
{
    if (group < 0 || group > 9 || unit < 0 || unit > 9)
        throw std::invalid_argument("address digits must be 0..9");
    if (Find(group, unit))
        throw std::invalid_argument("address " + std::to_string(group) + std::to_string(unit) + " is taken");
    devices_.push_back(std::make_unique<SimDevice>(type, group, unit, rng_));
    return *devices_.back();
}

SimDevice* SimBus::Find(int group, int unit)
{
    for (auto& d : devices_)
        if (d->Group() == group && d->Unit() == unit)
            return d.get();
    return nullptr;
}

void SimBus::Advance(double now)
{
    for (auto& d : devices_)
        d->AdvanceTo(now);
}

std::vector<Exchange> SimBus::Receive(const uint8_t* data, size_t size, double now)
{
    std::vector<Exchange> out;
    for (size_t i = 0; i < size; ++i)
        Accept(data[i], now, out);
    return out;
}

Bytes SimBus::Transact(const Bytes& request, double now)
{
    Bytes all;
    for (const Exchange& e : Receive(request.data(), request.size(), now)) {
        all.insert(all.end(), e.reply.begin(), e.reply.end());
        all.insert(all.end(), e.foreign.begin(), e.foreign.end());
    }
    return all;
}

void SimBus::Reset()
{
    state_ = State::Idle;
    frame_.clear();
    addressLen_ = 0;
    text_.clear();
    check_ = 0;
}

// Byte-by-byte request reader. EOT always starts a new request (except as a block check), so
// the reader falls back in step after noise or a cut-off request.
void SimBus::Accept(uint8_t b, double now, std::vector<Exchange>& out)
{
    if (state_ == State::Check) {
        frame_.push_back(b);
        received_ = b;
        Complete(now, out);
        Reset();
        return;
    }
    if (b == EOT) {
        Reset();
        frame_.push_back(b);
        state_ = State::Address;
        return;
    }
    if (state_ == State::Idle)
        return;
    frame_.push_back(b);
    switch (state_) {
    case State::Address:
        if (!IsDigit(b) && b != WildcardDigit) {
            Reset();
            return;
        }
        address_[addressLen_++] = b;
        if (addressLen_ == 4)
            state_ = State::Mnemonic;
        return;
    case State::Mnemonic:
        if (b == STX && text_.empty()) {
            state_ = State::Text;
            return;
        }
        if (b == ENQ) {
            Complete(now, out);
            Reset();
            return;
        }
        if (b == STX || b == ETX || text_.size() >= MaxReadMnemonic) {
            Reset();
            return;
        }
        text_.push_back(static_cast<char>(b));
        return;
    case State::Text:
        check_ ^= b;
        if (b == ETX) {
            state_ = State::Check;
            return;
        }
        if (b == STX || b == ENQ || text_.size() >= MaxWriteText) {
            Reset();
            return;
        }
        text_.push_back(static_cast<char>(b));
        return;
    default:
        Reset();
    }
}

void SimBus::Complete(double now, std::vector<Exchange>& out)
{
    const bool write = state_ == State::Check;
    // Each address digit is sent twice; '~' in both places stands for "all".
    if (address_[0] != address_[1] || address_[2] != address_[3])
        return;
    const bool groupWild = address_[0] == WildcardDigit;
    const bool unitWild = address_[2] == WildcardDigit;
    if (groupWild && !unitWild)
        return;
    const int group = groupWild ? -1 : address_[0] - '0';
    const int unit = unitWild ? -1 : address_[2] - '0';
    const bool own = !groupWild && !unitWild;

    Advance(now);
    Exchange e;
    e.request = frame_;
    SimDevice* dev = own ? Find(group, unit) : nullptr;
    if (own && (!dev || !dev->OnBus()))
        dev = nullptr;

    if (!write) {
        if (!dev)
            return;  // reads are answered only at a device's own address
        e.reply = HandleRead(*dev, text_);
    } else {
        if (check_ != received_)
            return;  // a damaged write is ignored by everyone
        e.reply = HandleWrite(group, unit, own, groupWild, text_);
        if (!own) {
            out.push_back(std::move(e));
            return;  // group and network writes are applied without an answer
        }
        if (!dev)
            return;
    }

    if (Chance(faults_.noAnswer))
        e.reply.clear();
    else if (!e.reply.empty() && Chance(faults_.garbage)) {
        const bool inside = e.reply[0] == STX && e.reply.size() > 3 && std::bernoulli_distribution(0.5)(rng_);
        if (inside) {
            // A character outside 0x20..0x7A somewhere in the text; the check still matches.
            const size_t pos = std::uniform_int_distribution<size_t>(1, e.reply.size() - 3)(rng_);
            static const uint8_t Bad[] = {0x7F, 0x1B, 0x7C, 0x10, 0xFF, 0xA5};
            e.reply[pos] = Bad[std::uniform_int_distribution<size_t>(0, sizeof Bad - 1)(rng_)];
            e.reply.back() = BlockCheck(e.reply.data() + 1, e.reply.size() - 2);
        } else {
            e.reply.insert(e.reply.begin(), StrayByte());
        }
    }
    if (Chance(faults_.foreign))
        e.foreign = ForeignTraffic();
    if (dev && Chance(faults_.frontKeys))
        dev->FrontKeyChange();
    out.push_back(std::move(e));
}

Bytes SimBus::HandleRead(SimDevice& dev, const std::string& mnemonic)
{
    const int index = dev.Index(mnemonic);
    if (index < 0)
        return Bytes{EOT};
    std::string echoed = mnemonic;
    std::string value = dev.ReadText(index);
    if (mnemonic == "II" && Chance(faults_.wrongIdent)) {
        // Another type's code, as if a different controller sat at this address.
        std::vector<const char*> others;
        for (const DeviceTypeInfo* t : AllTypes())
            for (const char* code : t->IdentCodes)
                if (code && !dev.Type().IsIdentity(code))
                    others.push_back(code);
        if (!others.empty())
            value = others[std::uniform_int_distribution<size_t>(0, others.size() - 1)(rng_)];
    }
    if (Chance(faults_.wrongMnemonic)) {
        std::vector<int> others;
        for (int i = 0; i < dev.Type().ParamCount; ++i) {
            const std::string m = dev.Type().Params[i].Mnemonic;
            if (m.compare(0, mnemonic.size(), mnemonic) != 0)
                others.push_back(i);
        }
        if (!others.empty()) {
            const int i = others[std::uniform_int_distribution<size_t>(0, others.size() - 1)(rng_)];
            echoed = dev.Type().Params[i].Mnemonic;
            value = dev.ReadText(i);
        }
    }
    Bytes reply = BuildDataReply(echoed, value);
    if (Chance(faults_.badBcc))
        reply.back() ^= static_cast<uint8_t>(std::uniform_int_distribution<int>(1, 0x7F)(rng_));
    return reply;
}

Bytes SimBus::HandleWrite(int group, int unit, bool own, bool network, const std::string& text)
{
    bool accepted = false;
    for (auto& d : devices_) {
        if (!d->OnBus() || (!network && d->Group() != group) || (own && d->Unit() != unit))
            continue;
        const int index = d->MatchPrefix(text);
        if (index < 0)
            continue;
        const size_t len = std::string(d->Type().Params[index].Mnemonic).size();
        accepted = d->Write(index, text.substr(len));
    }
    if (!own)
        return {};
    return Bytes{accepted ? ACK : NAK};
}

bool SimBus::Chance(double p)
{
    if (p <= 0)
        return false;
    if (p >= 1)
        return true;
    return std::uniform_real_distribution<double>(0.0, 1.0)(rng_) < p;
}

uint8_t SimBus::StrayByte()
{
    // Never one that a reader would take for the start of a reply (STX, EOT, ACK, NAK, also
    // with bit 7 set).
    static const uint8_t Stray[] = {0x00, 0x11, 0x13, 0x7F, 0x3F, 0xFF, 0x55};
    return Stray[std::uniform_int_distribution<size_t>(0, sizeof Stray - 1)(rng_)];
}

Bytes SimBus::ForeignTraffic()
{
    // Another master polling a controller that is not simulated here (group 9 unit 9 is kept
    // clear of simulated devices when possible).
    int group = 9, unit = 9;
    for (int g = 9; g >= 0 && Find(group, unit); --g)
        group = g;
    Bytes b = BuildReadRequest(static_cast<uint8_t>(group), static_cast<uint8_t>(unit), "PV");
    if (std::bernoulli_distribution(0.5)(rng_)) {
        const Bytes reply = BuildDataReply("PV", "21.7");
        b.insert(b.end(), reply.begin(), reply.end());
    }
    return b;
}

}  // namespace tarvo::sim
