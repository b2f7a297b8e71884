// The protocol life of one controller on the bus, without any window: its address, state,
// outstanding requests, value stores and status-word masks. The device panel inherits it and
// shows what it reports through the On... hooks.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "device/ParamDesc.h"
#include "link/Bus.h"

namespace tarvo {

class DeviceCore {
public:
    enum DeviceState : uint8_t { StateScan = 0, StateInit = 1, StateOnline = 2, StateOffline = 3 };

    // Consecutive failed transactions a request is repeated for.
    static constexpr int RetryBudget = 50;
    // Polling passes without an answer after which an entry is dropped.
    static constexpr int NoReplyLimit = 10;

    // params/count: the type's parameter table (row 0 "II", row 1 "SW").
    DeviceCore(uint8_t group, uint8_t unit, const ParamDesc* params, int count);
    virtual ~DeviceCore();
    DeviceCore(const DeviceCore&) = delete;
    DeviceCore& operator=(const DeviceCore&) = delete;

    virtual int ParamCount() const;
    virtual const ParamDesc& GetParamDesc(int index) const;
    // True when the identification code in ValueTexts[0] is this type's.
    virtual bool IsMyIdentity() const;

    // One polling pass: collect answers, move through the states, queue the next reads.
    void PollDevice();
    // Starts identification again (Scan menu item).
    void Scan1();
    // Queues the routine reads of the current state (all parameters in Init, cyclic ones else),
    // except reads the device already has outstanding.
    void QueueCyclicReads();

    // A write made by the panel: value text to parameter `index`, at the front of the request
    // queue (or the back), followed up through PendingWrites only for the device's own address.
    void WriteParam(int index, const std::string& value, int addressMode = 0, bool hexWord = false,
                    bool atBack = false);
    // A one-off read of parameter `index` at the back of the queue (none when one is already
    // outstanding): brings a parameter that is not read cyclically up to date after a write.
    void ReadParam(int index);
    // Writes EditValue (numbers, always with one decimal) or the given hex text to EditIndex.
    void WriteEditedValue(int addressMode, const std::string& hexText);
    // Status-word bit commands: digit 1..4, bits to set or clear at the next status write.
    void SetStatusBits(int digit, int bits);
    void ClearStatusBits(int digit, int bits);

    // Value helpers for the device types.
    int IndexOf(const std::string& mnemonic) const;
    const std::string& TextOf(const std::string& mnemonic) const;
    float ValueOf(const std::string& mnemonic) const;
    const std::string& StatusText() const { return ValueTexts[1]; }
    // The status code the label shows now (128: hidden).
    uint8_t ShownStatus() const { return shownStatus_; }
    const std::string& LabelText() const { return labelText_; }
    bool LabelVisible() const { return labelVisible_; }
    bool ScanEnabled() const { return scanEnabled_; }
    bool CommLedOn() const { return commLed_; }

    // Fields of the device, in declaration order of the panel record.
    int32_t NoReplyCount = 0;
    int32_t ErrorCount = 0;
    std::deque<Bytes> PendingReads;
    bool Dragging = false;
    int32_t LastDragY = 0;
    std::deque<Bytes> PendingWrites;
    uint8_t State = StateScan;
    std::vector<std::string> ValueTexts;
    std::vector<float> Values;
    uint8_t AddrGroup = 0;
    uint8_t AddrUnit = 0;
    int32_t EditIndex = 0;
    int32_t EditDecimals = 0;
    float EditValue = 0;
    bool StatusWritePending = false;
    uint8_t StatusSetMask[4] = {0, 0, 0, 0};
    uint8_t StatusClearMask[4] = {0, 0, 0, 0};
    uint8_t TypeId = 0;
    std::map<std::string, std::string> TextByMnemonic;
    std::map<std::string, float> ValueByMnemonic;
    int32_t DbDeviceId = 0;

protected:
    // Hooks for the panel: the status label, the communication lamp, the Scan item.
    virtual void OnStatusLabel(const std::string& /*text*/, bool /*visible*/) {}
    virtual void OnCommLed(bool /*on*/) {}
    virtual void OnScanEnabled(bool /*enabled*/) {}
    // A value of parameter `index` has just been read and stored.
    virtual void OnValueStored(int /*index*/) {}

    Bytes IdentificationRequest() const;

private:
    void CompleteWrites();
    void CompleteReads();
    void IdlePass();
    uint8_t IdentificationOutcome();
    void RepeatIdentification();
    bool DropWhenNoReply(std::deque<Bytes>& queue);
    void Store(int index, const std::string& text, double number);
    void ShowStatus(uint8_t status);
    void SetLabel(const std::string& text, bool visible);
    void SetCommLed(bool on);
    void SetScanEnabled(bool enabled);
    void FallBackToInit();
    bool ReadPending(const Bytes& request) const;

    const ParamDesc* params_;
    int count_;
    uint8_t shownStatus_ = 128;
    std::string labelText_ = "SCAN";
    bool labelVisible_ = true;
    bool scanEnabled_ = false;
    bool commLed_ = false;
};

// "###0.0": the text of a number written to a controller (always one decimal, '.' separator).
std::string FormatWriteValue(double value);

}  // namespace tarvo
