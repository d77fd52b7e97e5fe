// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/StepRecord.h"

#include <charconv>
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

bool FileState::SameAs(const FileState& other) const {
    if (Kind != other.Kind) return false;
    if (Kind == Type::File) return Hash == other.Hash && Size == other.Size && Mode == other.Mode;
    return true;
}

std::string FileState::Text() const {
    std::ostringstream out;
    switch (Kind) {
        case Type::None:
            return "-";
        case Type::Folder:
            out << 'd' << std::oct << Mode;
            return out.str();
        case Type::File:
            out << 'f' << Size << ':' << std::oct << Mode << std::dec << ':' << ModifiedNs << ':'
                << Hash;
            return out.str();
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
    std::vector<std::string_view> parts;
    std::size_t start = 1;
    for (std::size_t colon; (colon = text.find(':', start)) != std::string_view::npos;
         start = colon + 1)
        parts.push_back(text.substr(start, colon - start));
    parts.push_back(text.substr(start));
    if (parts.size() != 4) return std::nullopt;
    const auto size = NumberOf<std::uint64_t>(parts[0]);
    const auto mode = NumberOf<unsigned>(parts[1], 8);
    const auto time = NumberOf<std::int64_t>(parts[2]);
    if (!size || !mode || !time || !PlainHash(parts[3])) return std::nullopt;
    state.Kind = Type::File;
    state.Size = *size;
    state.Mode = *mode;
    state.ModifiedNs = *time;
    state.Hash = std::string(parts[3]);
    return state;
}

std::string StepText(const Step& step) {
    std::ostringstream out;
    out << kStepHeader << '\n';
    out << "number\t" << step.Number << '\n';
    out << "when\t" << Escaped(step.When) << '\n';
    out << "user\t" << Escaped(step.User) << '\n';
    out << "program\t" << Escaped(step.Program) << '\n';
    out << "summary\t" << Escaped(step.Summary) << '\n';
    if (!step.Installation.empty()) out << "installation\t" << Escaped(step.Installation) << '\n';
    if (step.IsUndo) out << "undo\n";
    for (const int n : step.Undoes) out << "undoes\t" << n << '\n';
    for (const std::string& root : step.Roots) out << "root\t" << Escaped(root) << '\n';
    out << "kept-bytes\t" << step.BytesKept << '\n';
    if (step.EndedNs) out << "ended\t" << step.EndedNs << '\n';
    for (const StepChange& c : step.Changes) {
        switch (c.Kind) {
            case StepChange::Type::Path:
                out << "path\t" << c.Before.Text() << '\t' << (c.HasAfter ? c.After.Text() : "?")
                    << '\t' << Escaped(c.Path) << '\n';
                break;
            case StepChange::Type::Move:
                out << "move\t" << Escaped(c.Path) << '\t' << Escaped(c.To) << '\n';
                break;
            case StepChange::Type::Exchange:
                out << "exchange\t" << Escaped(c.Path) << '\t' << Escaped(c.To) << '\n';
                break;
            case StepChange::Type::Kept:
                out << "kept\t" << Escaped(c.Path) << '\t' << Escaped(c.To) << '\n';
                break;
        }
    }
    out << "end\n";
    return out.str();
}

Step ParseStep(const std::string& text, const std::string& shown, bool pending) {
    const auto damaged = [&](const std::string& why) {
        return platform::RuntimeError(platform::kPathFileAccessError,
                                      "The history file " + shown + " is damaged: " + why);
    };
    Step step;
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != kStepHeader) throw damaged("it is no step of a history");
    bool ended = false;
    int lineNumber = 1;
    while (std::getline(in, line)) {
        ++lineNumber;
        const std::string where = "line " + std::to_string(lineNumber);
        const std::vector<std::string_view> f = Fields(line);
        const std::string_view key = f[0];
        const auto text1 = [&]() {
            if (f.size() != 2) throw damaged(where + " is not as written");
            const auto value = Unescaped(f[1]);
            if (!value) throw damaged(where + " is not as written");
            return *value;
        };
        const auto path = [&](std::string_view field) {
            const auto value = Unescaped(field);
            if (!value || value->size() < 3 || (*value)[1] != ':' || (*value)[2] != '\\')
                throw damaged(where + " names no full path");
            return *value;
        };
        if (ended) throw damaged("it goes on after its end");
        if (key == "number") {
            const auto n = NumberOf<int>(text1());
            if (!n || *n < 1) throw damaged(where + " holds no step number");
            step.Number = *n;
        } else if (key == "when") {
            step.When = text1();
        } else if (key == "user") {
            step.User = text1();
        } else if (key == "program") {
            step.Program = text1();
        } else if (key == "summary") {
            step.Summary = text1();
        } else if (key == "installation" && f.size() == 2) {
            step.Installation = path(f[1]);
        } else if (key == "undo" && f.size() == 1) {
            step.IsUndo = true;
        } else if (key == "undoes") {
            const auto n = NumberOf<int>(text1());
            if (!n) throw damaged(where + " holds no step number");
            step.Undoes.push_back(*n);
        } else if (key == "root") {
            step.Roots.push_back(path(f.size() == 2 ? f[1] : std::string_view()));
        } else if (key == "kept-bytes") {
            const auto n = NumberOf<std::uint64_t>(text1());
            if (!n) throw damaged(where + " holds no size");
            step.BytesKept = *n;
        } else if (key == "ended") {
            const auto n = NumberOf<std::int64_t>(text1());
            if (!n) throw damaged(where + " holds no time");
            step.EndedNs = *n;
        } else if (key == "path" && f.size() == 4) {
            StepChange c;
            const auto before = FileState::Parse(f[1]);
            const auto after = FileState::Parse(f[2]);
            if (!before || (!after && f[2] != "?")) throw damaged(where + " holds no file state");
            c.Before = *before;
            c.HasAfter = after.has_value();
            if (after) c.After = *after;
            c.Path = path(f[3]);
            step.Changes.push_back(std::move(c));
        } else if ((key == "move" || key == "exchange" || key == "kept") && f.size() == 3) {
            StepChange c;
            c.Kind = key == "move"       ? StepChange::Type::Move
                     : key == "exchange" ? StepChange::Type::Exchange
                                         : StepChange::Type::Kept;
            c.Path = path(f[1]);
            if (c.Kind == StepChange::Type::Kept) {
                const auto name = Unescaped(f[2]);
                if (!name || name->empty() || name->find_first_of("\\/:.") != std::string::npos)
                    throw damaged(where + " names no kept folder");
                c.To = *name;
            } else {
                c.To = path(f[2]);
            }
            // The move told of before it was made, now told as made.
            if (pending && !step.Changes.empty() && step.Changes.back().Unconfirmed &&
                step.Changes.back().Kind == c.Kind && step.Changes.back().Path == c.Path &&
                step.Changes.back().To == c.To) {
                step.Changes.back().Unconfirmed = false;
                continue;
            }
            step.Changes.push_back(std::move(c));
        } else if (pending && key == "after" && f.size() == 3) {
            const auto after = FileState::Parse(f[1]);
            const std::string at = path(f[2]);
            if (!after) throw damaged(where + " holds no file state");
            for (auto c = step.Changes.rbegin(); c != step.Changes.rend(); ++c) {
                if (c->Kind == StepChange::Type::Path && c->Path == at && !c->HasAfter) {
                    c->After = *after;
                    c->HasAfter = true;
                    break;
                }
            }
        } else if (pending && (key == "moving" || key == "exchanging") && f.size() == 4) {
            StepChange c;
            c.Kind = key == "moving" ? StepChange::Type::Move : StepChange::Type::Exchange;
            c.Path = path(f[1]);
            c.To = path(f[2]);
            const auto number = NumberOf<std::uint64_t>(f[3]);
            if (!number) throw damaged(where + " holds no folder number");
            c.Unconfirmed = true;
            c.FolderNumber = *number;
            step.Changes.push_back(std::move(c));
        } else if (pending && key == "started" && f.size() == 1) {
            continue;
        } else if (key == "end" && f.size() == 1) {
            ended = true;
        } else {
            throw damaged(where + " is not as written");
        }
    }
    if (!ended && !pending) throw damaged("it is cut short");
    if (step.Number < 1) throw damaged("it has no step number");
    return step;
}

std::string IndexLine(const Step& step) {
    std::string undoes;
    for (const int n : step.Undoes) undoes += (undoes.empty() ? "" : ",") + std::to_string(n);
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
