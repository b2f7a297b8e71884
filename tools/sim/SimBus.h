// The simulated bus: reads the PC's request bytes, hands each complete request to the addressed
// simulated controllers and returns their replies, byte-exact, with optional faults. No I/O and
// no clock of its own: the caller passes the simulated time with every call.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "SimDevice.h"
#include "link/Codec.h"

namespace tarvo::sim {

// Probabilities (0..1) per answered exchange of each kind of fault.
struct FaultRates {
    double noAnswer = 0;       // the controller stays silent
    double badBcc = 0;         // data reply with a wrong block check
    double wrongMnemonic = 0;  // data reply of another parameter
    double garbage = 0;        // a stray byte before the reply, or a bad character inside it
    double foreign = 0;        // another station talks on the line after the exchange
    double wrongIdent = 0;     // "II" answered with another type's code
    double frontKeys = 0;      // someone changes a parameter at the controller's front keys
};

// One request taken off the line and what the bus answers to it.
struct Exchange {
    Bytes request;  // the request as received
    Bytes reply;    // the controller's answer; empty when nobody answers
    Bytes foreign;  // bytes another station sends after the exchange; usually empty
};

class SimBus {
public:
    explicit SimBus(uint32_t seed = 1);
    ~SimBus();

    // Adds a controller; throws std::invalid_argument when the address is taken or not 0..9.
    SimDevice& Add(const DeviceTypeInfo& type, int group, int unit);
    SimDevice* Find(int group, int unit);
    const std::vector<std::unique_ptr<SimDevice>>& Devices() const { return devices_; }

    FaultRates& Faults() { return faults_; }
    Rng& Random() { return rng_; }

    // Brings every controller to simulated time `now` (seconds since start).
    void Advance(double now);
    // Feeds bytes the PC sent; returns one exchange per complete request among them (partial
    // requests are kept for the next call).
    std::vector<Exchange> Receive(const uint8_t* data, size_t size, double now);
    // Convenience for tests: feeds one request and returns all reply bytes.
    Bytes Transact(const Bytes& request, double now);

private:
    enum class State { Idle, Address, Mnemonic, Text, Check };

    void Accept(uint8_t byte, double now, std::vector<Exchange>& out);
    void Reset();
    void Complete(double now, std::vector<Exchange>& out);
    Bytes HandleRead(SimDevice& dev, const std::string& mnemonic);
    Bytes HandleWrite(int group, int unit, bool own, bool network, const std::string& text);
    bool Chance(double p);
    uint8_t StrayByte();
    Bytes ForeignTraffic();

    Rng rng_;
    FaultRates faults_;
    std::vector<std::unique_ptr<SimDevice>> devices_;

    State state_ = State::Idle;
    Bytes frame_;        // bytes of the request being received
    uint8_t address_[4] = {};
    size_t addressLen_ = 0;
    std::string text_;   // mnemonic (read) or mnemonic and value (write)
    uint8_t check_ = 0;  // running XOR of a write's text and ETX
    uint8_t received_ = 0;
};

}  // namespace tarvo::sim
