#include "device/DeviceCore.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>

#include "device/Operator.h"
#include "link/Comm.h"

namespace tarvo {

namespace {

const std::string kEmpty;

Bytes WithTag(const Bytes& request, int tag)
{
    Bytes entry = request;
    entry.push_back(static_cast<uint8_t>(tag));
    return entry;
}

Bytes RequestOf(const Bytes& entry) { return Bytes(entry.begin(), entry.end() - 1); }

int TagOf(const Bytes& entry) { return entry.back(); }

}  // namespace

std::string FormatWriteValue(double value)
{
    // printf rounds an exact tie (12.25) to even; the controllers expect it rounded away from
    // zero (12.3). Ties are only possible when value * 10 is exact.
    const double tenths = value * 10.0;
    if (std::fma(value, 10.0, -tenths) == 0.0 && std::fabs(tenths - std::trunc(tenths)) == 0.5)
        value = std::round(tenths) / 10.0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.1f", value);
    std::string s = buf;
    if (s == "-0.0")
        s = "0.0";
    return s;
}

DeviceCore::DeviceCore(uint8_t group, uint8_t unit, const ParamDesc* params, int count)
    : ValueTexts(static_cast<size_t>(count)), Values(static_cast<size_t>(count), 0.0f), params_(params),
      count_(count)
{
    CommAttach();
    if (group <= 9)
        AddrGroup = group;
    if (unit <= 9)
        AddrUnit = unit;
    const Bytes ident = IdentificationRequest();
    Bus().PushFront(ident);
    PendingReads.push_front(WithTag(ident, 0));
}

DeviceCore::~DeviceCore() { CommDetach(); }

int DeviceCore::ParamCount() const { return count_; }

const ParamDesc& DeviceCore::GetParamDesc(int index) const { return params_[index]; }

bool DeviceCore::IsMyIdentity() const { return false; }

Bytes DeviceCore::IdentificationRequest() const
{
    return BuildReadRequest(AddrGroup, AddrUnit, params_[0].Mnemonic);
}

int DeviceCore::IndexOf(const std::string& mnemonic) const
{
    for (int i = 0; i < ParamCount(); ++i)
        if (mnemonic == GetParamDesc(i).Mnemonic)
            return i;
    return -1;
}

const std::string& DeviceCore::TextOf(const std::string& mnemonic) const
{
    const int i = IndexOf(mnemonic);
    return i < 0 ? kEmpty : ValueTexts[static_cast<size_t>(i)];
}

float DeviceCore::ValueOf(const std::string& mnemonic) const
{
    const int i = IndexOf(mnemonic);
    return i < 0 ? 0.0f : Values[static_cast<size_t>(i)];
}

void DeviceCore::PollDevice()
{
    SetCommLed(false);
    try {
        if (!PendingWrites.empty())
            CompleteWrites();
        else if (!PendingReads.empty())
            CompleteReads();
        else if (State == StateInit || State == StateOnline)
            IdlePass();
    } catch (const std::exception& e) {
        Op().Message(e.what(), "ERROR", BoxIcon::Error);
    }
    if (!CommResumeIfSuspended())
        Op().Message("Thread Resume Error", "ERROR", BoxIcon::Error);
}

// An entry whose answer is not there yet: counted, and dropped on the eleventh pass.
// Returns true when it was dropped.
bool DeviceCore::DropWhenNoReply(std::deque<Bytes>& queue)
{
    if (++NoReplyCount <= NoReplyLimit)
        return false;
    NoReplyCount = 0;
    queue.pop_front();
    SetLabel("Comm. thread error", true);
    return true;
}

void DeviceCore::CompleteWrites()
{
    while (!PendingWrites.empty()) {
        const Bytes entry = PendingWrites.front();
        const Bytes request = RequestOf(entry);
        const int tag = TagOf(entry);
        const Bytes answer = Bus().TakeReply(request);
        if (answer.empty()) {
            DropWhenNoReply(PendingWrites);
            return;
        }
        NoReplyCount = 0;
        PendingWrites.pop_front();
        const char* caption = tag < ParamCount() ? GetParamDesc(tag).Caption : "";
        uint8_t status = LinkOk;
        if (answer[0] == ACK || answer[0] == NAK) {
            ErrorCount = 0;
            SetCommLed(true);
            if (tag != 1)
                Op().Message(answer[0] == ACK ? "Parametar promenjen!!!" : "Vrednost parametra nije u redu", caption);
        } else {
            status = LinkTimeout;
            if (++ErrorCount <= RetryBudget) {
                Bus().PushFront(request);
                PendingWrites.push_front(entry);
            } else {
                ErrorCount = 0;
                FallBackToInit();
                Op().Message("Parametar nije promenjen, uredjaj se ne odaziva!!!", caption);
            }
        }
        ShowStatus(status);
    }
}

void DeviceCore::CompleteReads()
{
    while (!PendingReads.empty()) {
        const Bytes entry = PendingReads.front();
        const Bytes request = RequestOf(entry);
        const int tag = TagOf(entry);
        const Bytes answer = Bus().TakeReply(request);
        if (answer.empty()) {
            // An identification that got lost must not leave a scanning device silent for ever.
            if (DropWhenNoReply(PendingReads) && tag == 0 && State == StateScan)
                RepeatIdentification();
            return;
        }
        NoReplyCount = 0;
        PendingReads.pop_front();
        const ParamDesc& desc = GetParamDesc(tag);
        const ReadReply reply =
            ParseReadReply(answer, desc.Mnemonic, desc.ValueKind, desc.MinValue, desc.MaxValue, desc.HasChoices());
        uint8_t status = reply.status;
        if (status == LinkOk) {
            ErrorCount = 0;
            SetCommLed(true);
            if (reply.hasValue)
                Store(tag, reply.text, reply.number);
            if (tag == 0 && State == StateScan)
                status = IdentificationOutcome();
        } else if (State != StateScan) {
            if (++ErrorCount <= RetryBudget) {
                Bus().PushBack(request);
                PendingReads.push_back(entry);
            } else {
                ErrorCount = 0;
                FallBackToInit();
            }
        } else {
            RepeatIdentification();
        }
        ShowStatus(status);
    }
}

void DeviceCore::FallBackToInit()
{
    if (State != StateOnline)
        return;
    State = StateInit;
    QueueCyclicReads();
}

void DeviceCore::Store(int index, const std::string& text, double number)
{
    const ParamDesc& desc = GetParamDesc(index);
    ValueTexts[static_cast<size_t>(index)] = text;
    TextByMnemonic[desc.Mnemonic] = text;
    if (desc.ValueKind == KindNumber) {
        const float v = static_cast<float>(number);
        Values[static_cast<size_t>(index)] = v;
        ValueByMnemonic[desc.Mnemonic] = v;
    }
    OnValueStored(index);
}

uint8_t DeviceCore::IdentificationOutcome()
{
    if (IsMyIdentity()) {
        State = StateInit;
        QueueCyclicReads();
        return LinkOk;
    }
    const std::string text = "Identifikacija uredjaja sa adresom " + std::to_string(AddrGroup) + "." +
                             std::to_string(AddrUnit) + " nije odgovarajuca:" + ValueTexts[0] +
                             "; Zelite li da pokusate ponovo ???";
    if (Op().AskOkCancel(text, "", BoxIcon::Warning) == Answer::Ok) {
        RepeatIdentification();
        return LinkOk;
    }
    State = StateOffline;
    SetScanEnabled(true);
    return LinkOffline;
}

void DeviceCore::RepeatIdentification()
{
    const Bytes ident = IdentificationRequest();
    Bus().PushBack(ident);
    PendingReads.push_back(WithTag(ident, 0));
}

void DeviceCore::Scan1()
{
    State = StateScan;
    const Bytes ident = IdentificationRequest();
    Bus().PushFront(ident);
    PendingReads.push_front(WithTag(ident, 0));
    SetScanEnabled(false);
}

void DeviceCore::IdlePass()
{
    const std::string& word = ValueTexts[1];
    // A status word never read counts as all zero digits, so polling goes on and the next
    // "SW" read repairs it.
    if (StatusWord::Digit(word, 4) & 8) {
        StatusClearMask[3] |= 8;
        StatusWritePending = true;
        State = StateInit;
    } else {
        State = StateOnline;
    }
    // The new word is composed from the controller's own: without a complete one the write
    // would overwrite bits nobody asked to change, so it waits for the next "SW" read.
    if (StatusWritePending && word.size() >= 5) {
        StatusWritePending = false;
        const std::string next = StatusWord::Compose(word, StatusSetMask, StatusClearMask);
        for (int n = 0; n < 4; ++n)
            StatusSetMask[n] = StatusClearMask[n] = 0;
        const Bytes request = BuildWriteRequest(AddrGroup, AddrUnit, AddressOwn, GetParamDesc(1).Mnemonic, next);
        Bus().PushFront(request);
        PendingWrites.push_back(WithTag(request, 1));
    }
    QueueCyclicReads();
}

// Replies are filed under their request, so a read queued twice gets one answer for two
// entries, and the entry left over would hold the device up until the no-answer limit.
bool DeviceCore::ReadPending(const Bytes& request) const
{
    for (const Bytes& entry : PendingReads)
        if (entry.size() == request.size() + 1 && std::equal(request.begin(), request.end(), entry.begin()))
            return true;
    return false;
}

void DeviceCore::QueueCyclicReads()
{
    for (int i = 0; i < ParamCount(); ++i) {
        const ParamDesc& desc = GetParamDesc(i);
        if (!desc.IsCyclic() && State != StateInit)
            continue;
        const Bytes request = BuildReadRequest(AddrGroup, AddrUnit, desc.Mnemonic);
        // A fall-back to Init leaves retries outstanding; they are read in their turn.
        if (ReadPending(request))
            continue;
        Bus().PushBack(request);
        PendingReads.push_back(WithTag(request, i));
    }
}

void DeviceCore::WriteParam(int index, const std::string& value, int addressMode, bool hexWord, bool atBack)
{
    EditIndex = index;
    const char* mnemonic = GetParamDesc(index).Mnemonic;
    const Bytes request = hexWord ? BuildHexWordWriteRequest(AddrGroup, AddrUnit, addressMode, mnemonic, value)
                                  : BuildWriteRequest(AddrGroup, AddrUnit, addressMode, mnemonic, value);
    if (atBack)
        Bus().PushBack(request);
    else
        Bus().PushFront(request);
    if (addressMode == AddressOwn)
        PendingWrites.push_back(WithTag(request, index));
}

void DeviceCore::ReadParam(int index)
{
    const Bytes request = BuildReadRequest(AddrGroup, AddrUnit, GetParamDesc(index).Mnemonic);
    if (ReadPending(request))
        return;
    Bus().PushBack(request);
    PendingReads.push_back(WithTag(request, index));
}

void DeviceCore::WriteEditedValue(int addressMode, const std::string& hexText)
{
    const int index = EditIndex;
    if (GetParamDesc(index).ValueKind != KindHexWord)
        WriteParam(index, FormatWriteValue(EditValue), addressMode);
    else
        WriteParam(index, hexText, addressMode, true);
}

void DeviceCore::SetStatusBits(int digit, int bits)
{
    StatusSetMask[digit - 1] |= static_cast<uint8_t>(bits);
    StatusWritePending = true;
}

void DeviceCore::ClearStatusBits(int digit, int bits)
{
    StatusClearMask[digit - 1] |= static_cast<uint8_t>(bits);
    StatusWritePending = true;
}

void DeviceCore::ShowStatus(uint8_t status)
{
    shownStatus_ = status;
    SetLabel(StatusName(status), status != LinkOk);
}

void DeviceCore::SetLabel(const std::string& text, bool visible)
{
    labelText_ = text;
    labelVisible_ = visible;
    OnStatusLabel(text, visible);
}

void DeviceCore::SetCommLed(bool on)
{
    commLed_ = on;
    OnCommLed(on);
}

void DeviceCore::SetScanEnabled(bool enabled)
{
    scanEnabled_ = enabled;
    OnScanEnabled(enabled);
}

}  // namespace tarvo
