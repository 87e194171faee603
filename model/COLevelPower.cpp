#include "model/COLevelPower.h"

#include "model/CONumber.h"

void COLevelPower::WriteBody(std::string& text, TextContext context) const {
    const CONumber* exponent = AsNumber(Exponent());
    if (exponent != nullptr && exponent->Value().IsOne()) {
        if (Base() != nullptr) {
            Base()->WriteText(text, context);
        }
        return;
    }
    if (Base() != nullptr) {
        Base()->WriteText(text, TextContext::Base);
    }
    text += '^';
    if (Exponent() != nullptr) {
        Exponent()->WriteText(text, TextContext::Exponent);
    }
}
