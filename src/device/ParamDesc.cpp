#include "device/ParamDesc.h"

namespace tarvo {

int ParamDesc::ChoiceCount() const
{
    int n = 0;
    if (Choices)
        while (Choices[n])
            ++n;
    return n;
}

namespace StatusWord {

int DigitValue(char c)
{
    int code = static_cast<unsigned char>(c);
    if (code > '9')
        code -= 7;
    return code & 0x0F;
}

int Digit(const std::string& text, int n)
{
    if (n < 1 || static_cast<size_t>(n) >= text.size())
        return 0;
    return DigitValue(text[static_cast<size_t>(n)]);
}

bool Bit(const std::string& text, int n, int bit) { return (Digit(text, n) & bit) != 0; }

char HexChar(int value)
{
    value &= 0x0F;
    return static_cast<char>(value < 10 ? '0' + value : 'A' + value - 10);
}

std::string Compose(const std::string& current, const uint8_t setMask[4], const uint8_t clearMask[4])
{
    std::string out(1, '>');
    for (int n = 1; n <= 4; ++n) {
        const int c = Digit(current, n);
        out.push_back(HexChar((c | setMask[n - 1]) & ~clearMask[n - 1]));
    }
    return out;
}

unsigned Word16(const std::string& text)
{
    unsigned w = 0;
    for (int n = 1; n <= 4; ++n)
        w = (w << 4) | static_cast<unsigned>(Digit(text, n));
    return w;
}

}  // namespace StatusWord

}  // namespace tarvo
