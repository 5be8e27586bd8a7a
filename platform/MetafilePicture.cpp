#include "platform/MetafilePicture.h"

#include "platform/ProgramModule.h"
#include "platform/SvgMetafileEntry.h"

namespace kestrix {
namespace {

// QtSvg and the code that uses it are a module of their own: most runs show
// no metafile picture, and loading them costs every start-up about a
// million instructions and 160 KB.
struct SvgModule {
    ProgramModule module{kSvgModuleFile};
    decltype(&kestrixMetafilePicture) picture =
        reinterpret_cast<decltype(picture)>(module.function("kestrixMetafilePicture"));
    decltype(&kestrixPlayMetafile) play =
        reinterpret_cast<decltype(play)>(module.function("kestrixPlayMetafile"));
};

SvgModule& svgModule() {
    static SvgModule module;
    return module;
}

} // namespace

Result metafileSupportError() {
    SvgModule& svg = svgModule();
    return svg.picture != nullptr && svg.play != nullptr ? std::nullopt : svg.module.error();
}

std::optional<Picture> metafilePicture(const QByteArray& svg) {
    SvgModule& module = svgModule();
    Picture picture;
    if (module.picture == nullptr || !module.picture(svg, picture))
        return std::nullopt;
    return picture;
}

void playMetafile(const QByteArray& svg, QPainter& painter, const QRectF& rect) {
    SvgModule& module = svgModule();
    if (module.play != nullptr)
        module.play(svg, painter, rect);
}

} // namespace kestrix
