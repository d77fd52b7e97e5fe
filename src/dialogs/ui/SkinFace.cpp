// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/SkinFace.h"

#include <fontconfig/fontconfig.h>

#include <memory>

namespace movrand::dialogs {

namespace {

QString MatchedFamily() {
    const auto destroy = [](FcPattern* p) { FcPatternDestroy(p); };
    std::unique_ptr<FcPattern, decltype(destroy)> wanted(FcPatternCreate(), destroy);
    if (!wanted) return QStringLiteral("Sans Serif");
    // In order of preference; fontconfig's own aliases bind "Arial" to the faces drawn to its
    // metrics.
    for (const char* family : {"MS Sans Serif", "Microsoft Sans Serif", "Arial"})
        FcPatternAddString(wanted.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcConfigSubstitute(nullptr, wanted.get(), FcMatchPattern);
    FcDefaultSubstitute(wanted.get());
    FcResult result = FcResultNoMatch;
    std::unique_ptr<FcPattern, decltype(destroy)> found(FcFontMatch(nullptr, wanted.get(), &result),
                                                        destroy);
    FcChar8* family = nullptr;
    if (!found || FcPatternGetString(found.get(), FC_FAMILY, 0, &family) != FcResultMatch ||
        !family)
        return QStringLiteral("Sans Serif");
    return QString::fromUtf8(reinterpret_cast<const char*>(family));
}

}  // namespace

QString SkinFaceFamily() {
    static const QString family = MatchedFamily();
    return family;
}

QFont SkinFont(double points) {
    QFont font(SkinFaceFamily());
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    return font;
}

}  // namespace movrand::dialogs
