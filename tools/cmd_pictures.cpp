// ornel-tool pictures: writes the rules-page pictures, at both scales, as the BMP files the program embeds.
#include <fstream>

#include "content/rules_pages.h"
#include "tools/rules_pictures.h"
#include "tools/tool.h"

namespace {

bool writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

int toolPictures(const ToolArgs& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0].empty() || (args[0].size() >= 2 && args[0][0] == '-' && args[0][1] == '-')) {
        err << "ornel-tool pictures: needs an output folder (ornel-tool pictures OUTDIR [PAGE...])\n";
        return 2;
    }
    std::vector<int16_t> pages;
    for (size_t k = 1; k < args.size(); ++k) {
        const std::string& a = args[k];
        if (a.size() != 1 || a[0] < '1' || a[0] > '9') {
            err << "ornel-tool pictures: a page is a number from 1 to 9, not '" << a << "'\n";
            return 2;
        }
        pages.push_back(static_cast<int16_t>(a[0] - '0'));
    }
    if (pages.empty())
        for (int16_t p = kFirstRulesPage; p <= kLastRulesPage; ++p) pages.push_back(p);
    // Each page at both scales: N.bmp (800 x 600) and N-2x.bmp (1600 x 1200).
    for (int16_t p : pages)
        for (int16_t scale : {int16_t{1}, kLargePictureScale}) {
            std::string path = args[0] + "/" + rulesPictureFileName(p, scale);
            std::string bytes = rulesPictureBmp(p, scale);
            if (!writeFile(path, bytes)) {
                err << "ornel-tool pictures: cannot write " << path << "\n";
                return 1;
            }
            out << path << " " << bytes.size() << " bytes\n";
        }
    return 0;
}
