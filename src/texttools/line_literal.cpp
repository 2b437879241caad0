#include "line_literal.h"

#include <QString>

namespace TextTools {

namespace detail {

namespace {

// Reads a pattern from the left, allowing only what cannot match a line
// break: any construct it does not know ends the reading unsure.
class LiteralReader
{
public:
    LiteralReader(QStringView pattern, bool caseless) : p_(pattern), caseless_(caseless) {}

    std::optional<QString> read()
    {
        while (ok_ && i_ < p_.size())
            step();
        commit();
        if (!ok_ || depth_ != 0 || alternation_ || best_.isEmpty())
            return std::nullopt;
        return best_;
    }

private:
    enum class Atom { Char, Other };

    void step()
    {
        const char16_t c = p_[i_].unicode();
        switch (c) {
        case u'\\':
            escape();
            return;
        case u'[':
            bracket();
            return;
        case u'(':
            // Groups of their own kind, options and look-arounds: unsure.
            if (i_ + 1 < p_.size() && p_[i_ + 1] == u'?')
                return fail();
            ++depth_;
            ++i_;
            commit();
            return;
        case u')':
            if (--depth_ < 0)
                return fail();
            ++i_;
            atom(Atom::Other, 0);
            return;
        case u'|':
            alternation_ = alternation_ || depth_ == 0;
            ++i_;
            commit();
            return;
        case u'^':
        case u'$':
            ++i_;
            commit();
            return;
        case u'.':
            ++i_;
            atom(Atom::Other, 0);
            return;
        case u'*':
        case u'+':
        case u'?':
        case u'{':
            return fail(); // a quantifier with nothing before it
        default:
            if (c < 0x20 && c != u'\t')
                return fail();
            ++i_;
            atom(Atom::Char, c);
        }
    }

    void escape()
    {
        if (i_ + 1 >= p_.size())
            return fail();
        const char16_t d = p_[i_ + 1].unicode();
        i_ += 2;
        if (d < 0x80 && IsAsciiPunctuation(d))
            return atom(Atom::Char, d);
        if (d == u'd' || d == u'w' || d == u'S')
            return atom(Atom::Other, 0);
        if (d == u'b' || d == u'B')
            return commit();
        fail(); // \s, \n, \x.., \p{..}, back-references, \A, \Q: unsure
    }

    void bracket()
    {
        qsizetype j = i_ + 1;
        if (j < p_.size() && p_[j] == u'^')
            return fail(); // a negated set matches line breaks
        if (j < p_.size() && p_[j] == u']')
            ++j;
        for (; j < p_.size() && p_[j] != u']'; ++j) {
            const char16_t x = p_[j].unicode();
            if (x == u'[' || (x < 0x20 && x != u'\t'))
                return fail();
            if (x == u'\\') {
                if (++j >= p_.size())
                    return fail();
                const char16_t d = p_[j].unicode();
                if (!(d < 0x80 && IsAsciiPunctuation(d)) && d != u'd' && d != u'w' && d != u'S')
                    return fail();
            }
        }
        if (j >= p_.size())
            return fail();
        i_ = j + 1;
        atom(Atom::Other, 0);
    }

    // An atom and the quantifier after it, if any.
    void atom(Atom kind, char16_t c)
    {
        int least = 1;
        if (i_ < p_.size()) {
            const char16_t q = p_[i_].unicode();
            if (q == u'*' || q == u'?') {
                least = 0;
                ++i_;
            } else if (q == u'+') {
                ++i_;
                least = 2; // at least once, and more may come between it and what follows
            } else if (q == u'{') {
                least = counted();
                if (!ok_)
                    return;
            }
            if (least != 1 && i_ < p_.size() && (p_[i_] == u'?' || p_[i_] == u'+'))
                ++i_; // lazy or possessive
        }
        const bool inRun = kind == Atom::Char && depth_ == 0 && least > 0 && !QChar::isSurrogate(c) &&
                           (!caseless_ || CaselessSafe(c));
        if (!inRun) {
            commit();
            return;
        }
        run_.append(QChar(c));
        if (least > 1) {
            commit();
            run_.append(QChar(c)); // the last of them stands before what follows
        }
    }

    // Reads {n}, {n,} or {n,m} after an atom: 0 when it may be absent, 1 when
    // exactly once, 2 when it may repeat.
    int counted()
    {
        qsizetype j = i_ + 1;
        const auto number = [&] {
            const qsizetype from = j;
            while (j < p_.size() && p_[j].isDigit() && p_[j].unicode() < 0x80)
                ++j;
            return j > from ? p_.sliced(from, j - from).toInt() : -1;
        };
        const int low = number();
        int high = low;
        if (j < p_.size() && p_[j] == u',') {
            ++j;
            high = number();
            if (high < 0)
                high = 2;
        }
        if (low < 0 || j >= p_.size() || p_[j] != u'}') {
            fail(); // a brace that is no quantifier
            return 0;
        }
        i_ = j + 1;
        if (low == 0)
            return 0;
        return low == 1 && high == 1 ? 1 : 2;
    }

    void commit()
    {
        if (run_.size() > best_.size())
            best_ = run_;
        run_.clear();
    }

    void fail() { ok_ = false; }

    // What a case-blind match finds only as itself or its other ASCII case:
    // k and s also match the Kelvin sign and the long s, and most letters
    // beyond ASCII have cases of their own.
    static bool CaselessSafe(char16_t c)
    {
        if (c < 0x80)
            return c != u'k' && c != u'K' && c != u's' && c != u'S';
        return c >= 0x3000 && c < 0xA000; // kana, kanji and their signs
    }

    static bool IsAsciiPunctuation(char16_t d)
    {
        return (d >= 0x21 && d <= 0x2F) || (d >= 0x3A && d <= 0x40) || (d >= 0x5B && d <= 0x60) ||
               (d >= 0x7B && d <= 0x7E) || d == u' ';
    }

    QStringView p_;
    bool caseless_;
    qsizetype i_ = 0;
    int depth_ = 0;
    bool alternation_ = false;
    bool ok_ = true;
    QString run_, best_;
};

} // namespace

} // namespace detail

std::optional<QString> LineBoundLiteral(QStringView pattern, bool caseless)
{
    return detail::LiteralReader(pattern, caseless).read();
}

} // namespace TextTools
