// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/StepRecord.h"

#include <array>
#include <charconv>
#include <iterator>
#include <sstream>

#include "platform/FileSystemErrors.h"
#include "platform/RuntimeError.h"

namespace movrand::history {

namespace {

constexpr std::string_view kStepHeader = "movrand-history-step 1";

// Tabs, line ends and "%" in a field are written as %09, %0A, %0D and %25.
std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '%' || c == '\t' || c == '\n' || c == '\r') {
            static const char* digits = "0123456789ABCDEF";
            out += '%';
            out += digits[(static_cast<unsigned char>(c) >> 4) & 15];
            out += digits[static_cast<unsigned char>(c) & 15];
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<std::string> Unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) return std::nullopt;
        unsigned value = 0;
        const auto [end, error] =
            std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16);
        if (error != std::errc() || end != text.data() + i + 3) return std::nullopt;
        out += static_cast<char>(value);
        i += 2;
    }
    return out;
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

template <typename Number>
std::optional<Number> NumberOf(std::string_view text, int base = 10) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

bool PlainHash(std::string_view hash) {
    if (hash.size() != 32) return false;
    for (const char c : hash)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

}  // namespace

std::string EscapedField(const std::string& text) {
    return Escaped(text);
}

std::optional<std::string> UnescapedField(std::string_view field) {
    return Unescaped(field);
}

bool FileState::SameAs(const FileState& other) const {
    if (Kind != other.Kind) return false;
    if (Kind == Type::File) return Hash == other.Hash && Size == other.Size && Mode == other.Mode;
    return true;
}

namespace {

// Appends a number as text, in `base`.
template <typename Number>
void AppendNumber(std::string& text, Number n, int base = 10) {
    char digits[24];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), n, base).ptr;
    text.append(digits, end);
}

}  // namespace

std::string FileState::Text() const {
    // Put together by hand: a stream costs more than the rest of a step's line, several times a
    // file in a step of thousands.
    std::string text;
    switch (Kind) {
        case Type::None:
            return "-";
        case Type::Folder:
            text = "d";
            AppendNumber(text, Mode, 8);
            return text;
        case Type::File:
            text.reserve(120);
            text = "f";
            AppendNumber(text, Size);
            text += ':';
            AppendNumber(text, Mode, 8);
            text += ':';
            AppendNumber(text, ModifiedNs);
            text += ':';
            text += Hash;
            if (Number) {
                text += ':';
                AppendNumber(text, Device);
                text += ':';
                AppendNumber(text, Number);
                text += ':';
                AppendNumber(text, ChangedNs);
            }
            return text;
    }
    return "-";
}

std::optional<FileState> FileState::Parse(std::string_view text) {
    FileState state;
    if (text == "-") return state;
    if (text.size() > 1 && text[0] == 'd') {
        const auto mode = NumberOf<unsigned>(text.substr(1), 8);
        if (!mode) return std::nullopt;
        state.Kind = Type::Folder;
        state.Mode = *mode;
        return state;
    }
    if (text.empty() || text[0] != 'f') return std::nullopt;
    // At most seven parts, split in place: a step of thousands of files holds two a file.
    std::array<std::string_view, 7> parts;
    std::size_t count = 0;
    std::size_t start = 1;
    for (std::size_t colon; (colon = text.find(':', start)) != std::string_view::npos;
         start = colon + 1) {
        if (count == parts.size()) return std::nullopt;
        parts[count++] = text.substr(start, colon - start);
    }
    if (count == parts.size()) return std::nullopt;
    parts[count++] = text.substr(start);
    if (count != 4 && count != 7) return std::nullopt;
    const auto size = NumberOf<std::uint64_t>(parts[0]);
    const auto mode = NumberOf<unsigned>(parts[1], 8);
    const auto time = NumberOf<std::int64_t>(parts[2]);
    if (!size || !mode || !time || !PlainHash(parts[3])) return std::nullopt;
    if (count == 7) {
        const auto device = NumberOf<std::uint64_t>(parts[4]);
        const auto number = NumberOf<std::uint64_t>(parts[5]);
        const auto changed = NumberOf<std::int64_t>(parts[6]);
        if (!device || !number || !*number || !changed) return std::nullopt;
        state.Device = *device;
        state.Number = *number;
        state.ChangedNs = *changed;
    }
    state.Kind = Type::File;
    state.Size = *size;
    state.Mode = *mode;
    state.ModifiedNs = *time;
    state.Hash = std::string(parts[3]);
    return state;
}

std::string StepText(const Step& step) {
    // Appended to one text rather than through a stream: thousands of lines for a large car.
    std::string out;
    const auto line = [&out](std::initializer_list<std::string_view> fields) {
        for (const std::string_view field : fields) out += field;
        out += '\n';
    };
    const auto number = [](auto n) {
        std::string text;
        AppendNumber(text, n);
        return text;
    };
    line({kStepHeader});
    line({"number\t", number(step.Number)});
    line({"when\t", Escaped(step.When)});
    line({"user\t", Escaped(step.User)});
    line({"program\t", Escaped(step.Program)});
    line({"summary\t", Escaped(step.Summary)});
    if (!step.Installation.empty()) line({"installation\t", Escaped(step.Installation)});
    if (step.IsUndo) line({"undo"});
    for (const int n : step.Undoes) line({"undoes\t", number(n)});
    for (const std::string& root : step.Roots) {
        const auto token = step.RootTokens.find(root);
        if (token == step.RootTokens.end())
            line({"root\t", Escaped(root)});
        else
            line({"root\t", Escaped(root), "\t", token->second});
    }
    line({"kept-bytes\t", number(step.BytesKept)});
    if (step.EndedNs) line({"ended\t", number(step.EndedNs)});
    for (const auto& [hash, copy] : step.KeptCopies)
        line({"kept-copy\t", hash, "\t", number(copy.Number), ":", number(copy.Size), ":",
              number(copy.ChangedNs)});
    for (const StepChange& c : step.Changes) {
        switch (c.Kind) {
            case StepChange::Type::Path:
                line({"path\t", c.Before.Text(), "\t", c.HasAfter ? c.After.Text() : "?", "\t",
                      Escaped(c.Path)});
                break;
            case StepChange::Type::Move:
                line({"move\t", Escaped(c.Path), "\t", Escaped(c.To)});
                break;
            case StepChange::Type::Exchange:
                line({"exchange\t", Escaped(c.Path), "\t", Escaped(c.To)});
                break;
            case StepChange::Type::Kept:
                line({"kept\t", Escaped(c.Path), "\t", Escaped(c.To)});
                break;
        }
    }
    out += "end\n";
    return out;
}

namespace {

// Reads a step's text line by line; a line that is not as written raises RuntimeError naming the
// file shown.
class StepParser {
  public:
    StepParser(const std::string& shown, bool pending) : shown_(shown), pending_(pending) {}
    Step Parse(const std::string& text);

  private:
    using Line = std::vector<std::string_view>;
    platform::RuntimeError Damaged(const std::string& why) const {
        return platform::RuntimeError(platform::kPathFileAccessError,
                                      "The history file " + shown_ + " is damaged: " + why);
    }
    std::string Where() const { return "line " + std::to_string(lineNumber_); }
    std::string Text1(const Line& f) const;
    std::string PathOf(std::string_view field) const;
    bool HeaderLine(std::string_view key, const Line& f);
    bool ChangeLine(std::string_view key, const Line& f);
    bool PendingLine(std::string_view key, const Line& f);
    void KeptCopyLine(const Line& f);

    const std::string& shown_;
    const bool pending_;
    Step step_;
    int lineNumber_ = 1;
};

std::string StepParser::Text1(const Line& f) const {
    if (f.size() != 2) throw Damaged(Where() + " is not as written");
    const auto value = Unescaped(f[1]);
    if (!value) throw Damaged(Where() + " is not as written");
    return *value;
}

std::string StepParser::PathOf(std::string_view field) const {
    const auto value = Unescaped(field);
    if (!value || value->size() < 3 || (*value)[1] != ':' || (*value)[2] != '\\')
        throw Damaged(Where() + " names no full path");
    return *value;
}

// The lines that tell of the step as a whole.
bool StepParser::HeaderLine(std::string_view key, const Line& f) {
    if (key == "number") {
        const auto n = NumberOf<int>(Text1(f));
        if (!n || *n < 1) throw Damaged(Where() + " holds no step number");
        step_.Number = *n;
    } else if (key == "when") {
        step_.When = Text1(f);
    } else if (key == "user") {
        step_.User = Text1(f);
    } else if (key == "program") {
        step_.Program = Text1(f);
    } else if (key == "summary") {
        step_.Summary = Text1(f);
    } else if (key == "installation" && f.size() == 2) {
        step_.Installation = PathOf(f[1]);
    } else if (key == "undo" && f.size() == 1) {
        step_.IsUndo = true;
    } else if (key == "undoes") {
        const auto n = NumberOf<int>(Text1(f));
        if (!n) throw Damaged(Where() + " holds no step number");
        step_.Undoes.push_back(*n);
    } else if (key == "root") {
        step_.Roots.push_back(PathOf(f.size() >= 2 && f.size() <= 3 ? f[1] : std::string_view()));
        if (f.size() == 3) {
            if (!PlainHash(f[2])) throw Damaged(Where() + " holds no token");
            step_.RootTokens[step_.Roots.back()] = std::string(f[2]);
        }
    } else if (key == "kept-bytes") {
        const auto n = NumberOf<std::uint64_t>(Text1(f));
        if (!n) throw Damaged(Where() + " holds no size");
        step_.BytesKept = *n;
    } else if (key == "ended") {
        const auto n = NumberOf<std::int64_t>(Text1(f));
        if (!n) throw Damaged(Where() + " holds no time");
        step_.EndedNs = *n;
    } else if (key == "kept-copy" && f.size() == 3) {
        KeptCopyLine(f);
    } else {
        return false;
    }
    return true;
}

void StepParser::KeptCopyLine(const Line& f) {
    std::vector<std::uint64_t> numbers;
    for (std::string_view rest = f[2]; numbers.size() < 3;) {
        const std::size_t colon = rest.find(':');
        const auto n = NumberOf<std::uint64_t>(rest.substr(0, colon));
        if (!n || (colon == std::string_view::npos) != (numbers.size() == 2))
            throw Damaged(Where() + " is not as written");
        numbers.push_back(*n);
        rest = colon == std::string_view::npos ? rest : rest.substr(colon + 1);
    }
    if (!PlainHash(f[1])) throw Damaged(Where() + " holds no fingerprint");
    step_.KeptCopies[std::string(f[1])] = {numbers[0], numbers[1],
                                           static_cast<std::int64_t>(numbers[2])};
}

// The lines of the step's changes.
bool StepParser::ChangeLine(std::string_view key, const Line& f) {
    if (key == "path" && f.size() == 4) {
        StepChange c;
        const auto before = FileState::Parse(f[1]);
        const auto after = FileState::Parse(f[2]);
        if (!before || (!after && f[2] != "?")) throw Damaged(Where() + " holds no file state");
        c.Before = *before;
        c.HasAfter = after.has_value();
        if (after) c.After = *after;
        c.Path = PathOf(f[3]);
        step_.Changes.push_back(std::move(c));
        return true;
    }
    if ((key != "move" && key != "exchange" && key != "kept") || f.size() != 3) return false;
    StepChange c;
    c.Kind = key == "move"       ? StepChange::Type::Move
             : key == "exchange" ? StepChange::Type::Exchange
                                 : StepChange::Type::Kept;
    c.Path = PathOf(f[1]);
    if (c.Kind == StepChange::Type::Kept) {
        const auto name = Unescaped(f[2]);
        if (!name || name->empty() || name->find_first_of("\\/:.") != std::string::npos)
            throw Damaged(Where() + " names no kept folder");
        c.To = *name;
    } else {
        c.To = PathOf(f[2]);
    }
    // The move told of before it was made, now told as made.
    std::vector<StepChange>& changes = step_.Changes;
    if (pending_ && !changes.empty() && changes.back().Unconfirmed &&
        changes.back().Kind == c.Kind && changes.back().Path == c.Path &&
        changes.back().To == c.To) {
        changes.back().Unconfirmed = false;
        return true;
    }
    changes.push_back(std::move(c));
    return true;
}

// The lines only a pending journal holds.
bool StepParser::PendingLine(std::string_view key, const Line& f) {
    if (!pending_) return false;
    if (key == "after" && f.size() == 3) {
        const auto after = FileState::Parse(f[1]);
        const std::string at = PathOf(f[2]);
        if (!after) throw Damaged(Where() + " holds no file state");
        for (auto c = step_.Changes.rbegin(); c != step_.Changes.rend(); ++c) {
            if (c->Kind == StepChange::Type::Path && c->Path == at && !c->HasAfter) {
                c->After = *after;
                c->HasAfter = true;
                break;
            }
        }
        return true;
    }
    if ((key == "moving" || key == "exchanging") && f.size() == 4) {
        StepChange c;
        c.Kind = key == "moving" ? StepChange::Type::Move : StepChange::Type::Exchange;
        c.Path = PathOf(f[1]);
        c.To = PathOf(f[2]);
        const auto number = NumberOf<std::uint64_t>(f[3]);
        if (!number) throw Damaged(Where() + " holds no folder number");
        c.Unconfirmed = true;
        c.FolderNumber = *number;
        step_.Changes.push_back(std::move(c));
        return true;
    }
    return key == "started" && f.size() == 1;
}

Step StepParser::Parse(const std::string& text) {
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != kStepHeader) throw Damaged("it is no step of a history");
    bool ended = false;
    while (std::getline(in, line)) {
        ++lineNumber_;
        const Line f = Fields(line);
        const std::string_view key = f[0];
        if (ended) throw Damaged("it goes on after its end");
        if (key == "end" && f.size() == 1) {
            ended = true;
        } else if (!HeaderLine(key, f) && !ChangeLine(key, f) && !PendingLine(key, f)) {
            throw Damaged(Where() + " is not as written");
        }
    }
    if (!ended && !pending_) throw Damaged("it is cut short");
    if (step_.Number < 1) throw Damaged("it has no step number");
    return std::move(step_);
}

}  // namespace

Step ParseStep(const std::string& text, const std::string& shown, bool pending) {
    return StepParser(shown, pending).Parse(text);
}

std::string IndexLine(const Step& step) {
    std::string undoes;
    for (const int n : step.Undoes) {
        if (!undoes.empty()) undoes += ',';
        undoes += std::to_string(n);
    }
    return std::to_string(step.Number) + '\t' + Escaped(step.When) + '\t' + Escaped(step.User) +
           '\t' + Escaped(step.Summary) + '\t' + Escaped(step.Program) + '\t' +
           (step.IsUndo ? "undo" : "op") + '\t' + undoes + '\t' + std::to_string(step.BytesKept);
}

std::optional<Step> ParseIndexLine(const std::string& line) {
    const std::vector<std::string_view> f = Fields(line);
    if (f.size() != 8) return std::nullopt;
    Step step;
    const auto number = NumberOf<int>(f[0]);
    const auto when = Unescaped(f[1]);
    const auto user = Unescaped(f[2]);
    const auto summary = Unescaped(f[3]);
    const auto program = Unescaped(f[4]);
    const auto bytes = NumberOf<std::uint64_t>(f[7]);
    if (!number || !when || !user || !summary || !program || !bytes ||
        (f[5] != "undo" && f[5] != "op"))
        return std::nullopt;
    step.Number = *number;
    step.When = *when;
    step.User = *user;
    step.Summary = *summary;
    step.Program = *program;
    step.IsUndo = f[5] == "undo";
    step.BytesKept = *bytes;
    std::string_view undoes = f[6];
    while (!undoes.empty()) {
        const std::size_t comma = undoes.find(',');
        const auto n = NumberOf<int>(undoes.substr(0, comma));
        if (!n) return std::nullopt;
        step.Undoes.push_back(*n);
        undoes = comma == std::string_view::npos ? std::string_view() : undoes.substr(comma + 1);
    }
    return step;
}

std::string ChangeWord(const StepChange& change) {
    switch (change.Kind) {
        case StepChange::Type::Move:
            return "moved to " + change.To;
        case StepChange::Type::Exchange:
            return "exchanged with " + change.To;
        case StepChange::Type::Kept:
            return "deleted (kept in the history)";
        case StepChange::Type::Path:
            break;
    }
    const FileState& b = change.Before;
    const FileState& a = change.After;
    const std::string what = (b.IsFolder() || a.IsFolder()) ? "folder " : "";
    if (!change.HasAfter) return "changed (cut short)";
    if (b.IsNone()) return what + "created";
    if (a.IsNone()) return what + "deleted";
    if (b.IsFile() && a.IsFile() && b.Hash == a.Hash) return "permissions changed";
    return what + "replaced";
}

}  // namespace movrand::history
