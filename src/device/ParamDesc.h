// The static description of one controller parameter, and the status-word convention shared
// by every device type and the polling cycle.
#pragma once

#include <cstdint>
#include <string>

namespace tarvo {

struct ParamDesc {
    int32_t Cyclic;            // low byte not 0: read on every polling pass while Online
    const char* Mnemonic;      // name on the wire, e.g. "1SP"
    int32_t Writable;          // not 0: the operator may change it
    int32_t Group;             // index into the type's group caption list
    int32_t ValueKind;         // 1 decimal number, 0 hex word (">" + 4 hex digits), 2 free text
    float MaxValue;            // editor range; with Choices also the reply check and last index
    float MinValue;
    int32_t Decimals;          // 0..3; a type may give special values its own meaning
    char PanelCaption[8];      // the name as the controller's own display shows it
    const char* Caption;       // menu text, edit panel title, message-box caption (UTF-8)
    const char* const* Choices;  // names of the values 0..MaxValue, null-terminated; or null

    bool IsCyclic() const { return (Cyclic & 0xFF) != 0; }
    bool IsWritable() const { return Writable != 0; }
    bool HasChoices() const { return Choices != nullptr; }
    int ChoiceCount() const;
};

// Status word: ">" followed by four hex digits; digit n (1..4) is the character at position n.
// Bits of a digit are named by their value (8, 4, 2, 1).
namespace StatusWord {

// Value 0..15 of a hex digit character: the code, minus 7 above '9', low four bits.
int DigitValue(char c);
// Digit n (1..4) of a status text; a missing character counts as 0.
int Digit(const std::string& text, int n);
bool Bit(const std::string& text, int n, int bit);
// The hex character of a value 0..15 ('0'..'9', 'A'..'F').
char HexChar(int value);
// Composes the next status word from the current text and the set/clear masks (one entry per
// digit, digit 1 first); clearing wins over setting. Missing digits count as 0.
std::string Compose(const std::string& current, const uint8_t setMask[4], const uint8_t clearMask[4]);
// A whole hex word taken as a 16-bit number, character 1 most significant (missing chars 0).
unsigned Word16(const std::string& text);

}  // namespace StatusWord

}  // namespace tarvo
