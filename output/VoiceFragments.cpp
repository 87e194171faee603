#include "output/VoiceFragments.h"

#include "output/MarkupBytes.h"

#include <algorithm>
#include <cctype>

namespace {

const std::string kCardinals = "M_MN_C/";
const std::string kGroupWords = "M_GN_P/";
const std::string kOrdinals = "M_MN_O/";
const std::string kWholePart = "M_P_GN/";
const std::string kExponents = "M_EXP/";
const std::string kLetters = "Bukvi/";
const std::string kSigns = "Znaki/";

bool IsDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsLetters(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    });
}

bool AllZeros(std::string_view digits) {
    return digits.find_first_not_of('0') == std::string_view::npos;
}

// Ends in 1 but not in 11: one, twenty-one, but not eleven.
bool EndsInSingleOne(std::string_view digits) {
    const std::size_t n = digits.size();
    return n > 0 && digits[n - 1] == '1' && (n < 2 || digits[n - 2] != '1');
}

// The digits without leading zeros ("0" for zero).
std::string_view Significant(std::string_view digits) {
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? digits.substr(digits.size() - 1) : digits.substr(first);
}

void Append(std::vector<std::string>& to, const std::vector<std::string>& words) {
    to.insert(to.end(), words.begin(), words.end());
}

std::string ZeroWord(VoiceMode mode, const char* endingTag) {
    return kCardinals + (mode == VoiceMode::Russian ? "000_1" : "000") + endingTag;
}

std::vector<std::string> DigitByDigit(std::string_view digits, VoiceMode mode) {
    std::vector<std::string> words;
    for (const char digit : digits) {
        if (digit == '0') {
            words.push_back(ZeroWord(mode, "_p"));
        } else {
            words.push_back(kCardinals + "00" + digit + (mode == VoiceMode::Russian ? "_1_p" : "_p"));
        }
    }
    return words;
}

// One group of three digits: its hundreds, tens and units, then its group word. groupIndex counts
// groups from the right (0 for the last); moreFollows tells whether a non-zero digit comes after it.
void AppendGroup(std::vector<std::string>& words, std::string_view group, int groupIndex, bool feminine,
                 bool moreFollows, VoiceMode mode) {
    const bool russian = mode == VoiceMode::Russian;
    const char h = group[0];
    const char t = group[1];
    const char u = group[2];
    const std::string endingTag = moreFollows ? "_b" : "_p";
    const std::string genderTag = feminine ? "_2" : "_1";
    const std::string form = russian ? "_1" : "";
    if (h != '0') {
        words.push_back(kCardinals + h + "00" + form + (t == '0' && u == '0' ? "_p" : "_b"));
    }
    if (t == '1') {
        words.push_back(kCardinals + "01" + u + form + "_p");
    } else if (t != '0') {
        words.push_back(kCardinals + "0" + t + "0" + form + (u == '0' ? "_p" : "_b"));
    }
    if (u != '0' && t != '1') {
        const std::string unitForm = russian ? ((u == '1' || u == '2') ? genderTag : "_1") : "";
        words.push_back(kCardinals + "00" + u + unitForm + "_p");
    }
    if (groupIndex > 0) {
        std::string plural;
        if (russian) {
            plural = t == '1' ? "_1" : u == '1' ? "_2" : (u >= '2' && u <= '4') ? "_3" : "_1";
        }
        words.push_back(kGroupWords + std::to_string(groupIndex + 1) + plural + endingTag);
    }
}

std::vector<std::string> LettersOrNumber(std::string_view text, VoiceMode mode) {
    if (IsLetters(text)) {
        std::vector<std::string> words;
        for (const char letter : text) {
            words.push_back(kLetters + static_cast<char>(std::tolower(static_cast<unsigned char>(letter))));
        }
        return words;
    }
    return NumberWords(text, mode);
}

std::string OrdinalWord(std::string_view denominator, std::string_view numerator) {
    return kOrdinals + std::string(Significant(denominator)) + (EndsInSingleOne(numerator) ? "_2" : "_1");
}

std::string SignWord(std::string_view sign) {
    if (sign.size() != 1) {
        return {};
    }
    switch (static_cast<unsigned char>(sign[0])) {
    case '*':
    case '.':
        return "mu";
    case '+':
        return "pl";
    case '-':
        return "mi";
    case ':':
    case '/':
    case MarkupBytes::kDivisionSign:
        return "di";
    case '=':
        return "equal";
    case MarkupBytes::kPlusOrMinus:
        return "plmi";
    case MarkupBytes::kNotEqual:
        return "neq";
    case MarkupBytes::kApproximatelyEqual:
        return "approx";
    case '<':
        return "less";
    case '>':
        return "greater";
    case MarkupBytes::kLessOrEqual:
        return "lesseq";
    case MarkupBytes::kGreaterOrEqual:
        return "greatereq";
    default:
        return {};
    }
}

std::vector<std::string> PowerWords(std::string_view exponent, VoiceMode mode) {
    if (mode == VoiceMode::Russian && IsDigits(exponent) && Significant(exponent).size() <= 2) {
        const int value = std::stoi(std::string(exponent));
        if (value >= kFirstExponentPhrase && value <= kLastExponentPhrase) {
            return {kExponents + std::to_string(value)};
        }
    }
    std::vector<std::string> words = {kSigns + "st"};
    if (!exponent.empty()) {
        Append(words, LettersOrNumber(exponent, mode));
    }
    return words;
}

} // namespace

VoiceMode VoiceModeOf(int language) {
    return language == 1 ? VoiceMode::English : VoiceMode::Russian;
}

std::string VoiceFolderOf(int language) {
    return VoiceModeOf(language) == VoiceMode::English ? "English/" : "Russian/";
}

std::string CommentClipName(std::string_view soundName) {
    return soundName.empty() ? std::string() : "Sounds/" + std::string(soundName);
}

bool HasOrdinal(std::string_view denominator) {
    if (!IsDigits(denominator)) {
        return false;
    }
    const std::string_view digits = Significant(denominator);
    if (digits.size() <= 2) {
        return digits != "0" && digits != "1";
    }
    return digits.size() <= 7 && digits[0] == '1' && AllZeros(digits.substr(1));
}

std::vector<std::string> CardinalWords(std::string_view digits, VoiceMode mode, bool feminine) {
    if (!IsDigits(digits)) {
        return {};
    }
    if (AllZeros(digits)) {
        return {ZeroWord(mode, "_p")};
    }
    digits = Significant(digits);
    if (digits.size() > kMaxNumberWordDigits) {
        return DigitByDigit(digits, mode);
    }
    const std::string padded = std::string((3 - digits.size() % 3) % 3, '0') + std::string(digits);
    const int groups = static_cast<int>(padded.size() / 3);
    std::vector<std::string> words;
    for (int g = 0; g < groups; ++g) {
        const std::string_view group = std::string_view(padded).substr(3 * g, 3);
        if (group == "000") {
            continue;
        }
        const int groupIndex = groups - 1 - g;
        const bool moreFollows = !AllZeros(std::string_view(padded).substr(3 * (g + 1)));
        const bool femaleGroup = groupIndex == 1 || (feminine && groupIndex == 0);
        AppendGroup(words, group, groupIndex, femaleGroup, moreFollows, mode);
    }
    return words;
}

std::vector<std::string> WholePartWords(std::string_view digits, VoiceMode mode) {
    std::vector<std::string> words = CardinalWords(digits, mode, true);
    if (mode == VoiceMode::English) {
        words.push_back(kWholePart + "celoe");
    } else {
        words.push_back(kWholePart + (EndsInSingleOne(digits) ? "celoe_2" : "celoe_1"));
    }
    return words;
}

std::vector<std::string> NumberWords(std::string_view number, VoiceMode mode) {
    const std::size_t comma = number.find(',');
    if (comma == std::string_view::npos) {
        return CardinalWords(number, mode);
    }
    const std::string_view whole = number.substr(0, comma);
    const std::string_view fraction = number.substr(comma + 1);
    if (!IsDigits(whole) || !IsDigits(fraction)) {
        return {};
    }
    if (fraction.size() > kMaxOrdinalDecimalDigits) {
        std::vector<std::string> words = CardinalWords(whole, mode);
        words.push_back(kSigns + "zap");
        Append(words, DigitByDigit(fraction, mode));
        return words;
    }
    std::vector<std::string> words = WholePartWords(whole, mode);
    Append(words, CardinalWords(fraction, mode, true));
    std::string powerOfTen(fraction.size() + 1, '0');
    powerOfTen.front() = '1';
    words.push_back(OrdinalWord(powerOfTen, fraction));
    return words;
}

std::vector<std::string> QuantityWords(std::string_view numerator, std::string_view denominator,
                                       VoiceMode mode) {
    if (IsDigits(numerator) && HasOrdinal(denominator)) {
        std::vector<std::string> words = CardinalWords(numerator, mode, true);
        words.push_back(OrdinalWord(denominator, Significant(numerator)));
        return words;
    }
    std::vector<std::string> words = LettersOrNumber(numerator, mode);
    words.push_back(kSigns + "di");
    Append(words, LettersOrNumber(denominator, mode));
    return words;
}

std::vector<std::string> PieceFragments(const MyGolos& piece, VoiceMode mode) {
    switch (piece.kind) {
    case PieceKind::Number:
    case PieceKind::BracedNumber:
        return NumberWords(piece.text, mode);
    case PieceKind::WholePart:
        return WholePartWords(piece.text, mode);
    case PieceKind::Quantity:
        return QuantityWords(piece.text, piece.text2, mode);
    case PieceKind::Fraction:
        return {kSigns + "drob"};
    case PieceKind::Numerator:
        return {kSigns + "chisl"};
    case PieceKind::Denominator:
        return {kSigns + "znamen"};
    case PieceKind::OpeningBracket:
        return {kSigns + (piece.text == "{" ? "skobk1" : "skobk2")};
    case PieceKind::ClosingBracket:
        return {kSigns + "skobk3"};
    case PieceKind::Sign: {
        const std::string sign = SignWord(piece.text);
        return sign.empty() ? std::vector<std::string>{} : std::vector<std::string>{kSigns + sign};
    }
    case PieceKind::Letter:
        return LettersOrNumber(piece.text, mode);
    case PieceKind::Power:
        return PowerWords(piece.text, mode);
    case PieceKind::SquareRoot:
        return {kSigns + "koren2"};
    case PieceKind::Root:
        return {kSigns + "korenn"};
    case PieceKind::Of:
        return {kSigns + "iz"};
    case PieceKind::Silent:
        return {};
    }
    return {};
}
