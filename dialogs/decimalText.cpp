#include "dialogs/decimalText.h"

#include <climits>

int TextToInt(const QString& text)
{
    int i = 0;
    const int n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r'
                     || text[i] == '\v' || text[i] == '\f'))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i].unicode() - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        value = INT_MAX;
    return static_cast<int>(value);
}

QString IntToText(int value)
{
    return QString::number(value);
}
