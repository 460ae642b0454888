#include "System/CommandOperandGuard.h"

#include <algorithm>

bool isSafeCommandOperand(const QString& operand, QStringView optionPrefixes) {
    if (operand.isEmpty() || optionPrefixes.contains(operand.front())) {
        return false;
    }
    return std::none_of(operand.begin(), operand.end(), [](QChar character) {
        return character.isSpace() || character.category() == QChar::Other_Control;
    });
}
