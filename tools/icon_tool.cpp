// Draws the program's icons from their text pictures, and checks the icons against them:
//
//   icon_tool draw  res/icons   writes app.ico, globe.ico and folder_search.ico from their .txt pictures
//   icon_tool check res/icons   fails unless each .ico is what `draw` writes from its picture, holds the
//                               sizes the program needs, and decodes pixel for pixel to the picture
//
// The .ico files are checked in, so that no build needs this tool (the Windows build cross-compiles);
// the test suite runs `check`, which also fails on a picture changed without its icon.
//
// A picture is plain ASCII, read a line at a time, blanks at either end ignored:
//   # ...          a comment (blank lines are skipped too)
//   X = name       the character X stands for one of the 16 colours below, or for "transparent"
//   image WxH      starts an image W pixels wide and H high; its H rows follow, W characters each
// Each image becomes one 16-colour (4-bit) DIB with its AND mask, in the order drawn: biggest first, as
// the shell lists them.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <map>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// The 16 colours of a 4-bit Windows DIB's palette, in palette order.
struct Colour {
    const char* name;
    std::uint32_t rgb;
};
constexpr Colour palette[16] = {
    {"black", 0x000000}, {"maroon", 0x800000},  {"green", 0x008000}, {"olive", 0x808000},
    {"navy", 0x000080},  {"purple", 0x800080},  {"teal", 0x008080},  {"silver", 0xc0c0c0},
    {"gray", 0x808080},  {"red", 0xff0000},     {"lime", 0x00ff00},  {"yellow", 0xffff00},
    {"blue", 0x0000ff},  {"fuchsia", 0xff00ff}, {"aqua", 0x00ffff},  {"white", 0xffffff}};
// The same palette as a DIB holds it: RGBQUADs, blue green red 0, in hex.
constexpr char palette_quads[] =
    "00000000000080000080000000808000800000008000800080800000c0c0c000"
    "808080000000ff0000ff000000ffff00ff000000ff00ff00ffff0000ffffff00";

// Each icon's sizes, biggest first: IDI_APP is one 32x32 image (the shell scales it for the small icon);
// the buttons' pictures come in 32x32 for large fonts and 16x16 for the button itself.
const std::map<std::string, std::vector<std::size_t>> icons = {
    {"app", {32}}, {"folder_search", {32, 16}}, {"globe", {32, 16}}};

struct Image {
    std::size_t width = 0, height = 0;
    std::vector<int> pixels;  // palette indexes, row by row from the top; -1 is transparent
};

[[noreturn]] void fail(const std::string& message) {
    throw std::runtime_error(message);
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) fail(path + ": cannot be read");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<Image> read_picture(const std::string& path) {
    static const std::regex legend_line(R"(([!-~]) *= *([a-z]+))"), image_line(R"(image +(\d+)x(\d+))");
    std::istringstream in(read_file(path));
    std::map<char, int> legend;
    std::vector<Image> images;
    std::size_t rows_left = 0;
    std::string line;
    std::smatch match;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string at = path + ":" + std::to_string(number) + ": ";
        line.erase(0, line.find_first_not_of(" \t\r"));
        line.erase(line.find_last_not_of(" \t\r") + 1);
        if (line.empty() || line[0] == '#') continue;
        if (rows_left > 0) {
            Image& image = images.back();
            if (line.size() != image.width)
                fail(at + "a row not " + std::to_string(image.width) + " pixels wide");
            for (char c : line) {
                if (!legend.contains(c)) fail(at + "'" + c + "' is not in the legend");
                image.pixels.push_back(legend[c]);
            }
            --rows_left;
        } else if (std::regex_match(line, match, legend_line)) {
            const char c = match.str(1)[0];
            int index = 0;
            while (index < 16 && match.str(2) != palette[index].name)
                ++index;
            if (index == 16 && match.str(2) != "transparent")
                fail(at + "no colour is called " + match.str(2));
            if (!legend.emplace(c, index == 16 ? -1 : index).second)
                fail(at + "'" + c + "' is in the legend twice");
        } else if (std::regex_match(line, match, image_line)) {
            const std::size_t width = std::stoul(match.str(1)), height = std::stoul(match.str(2));
            if (width < 1 || width > 256 || height < 1 || height > 256)
                fail(at + "an icon image is 1 to 256 pixels each way");
            images.push_back({width, height, {}});
            rows_left = height;
        } else {
            fail(at + "expected a legend line \"X = colour\", \"image WxH\" or a comment");
        }
    }
    if (rows_left > 0) fail(path + ": the file ends " + std::to_string(rows_left) + " row(s) short");
    return images;
}

// Bytes in a row of WIDTH pixels of BITS bits: every DIB row ends on a 4-byte boundary.
std::size_t stride(std::size_t width, std::size_t bits) {
    return (width * bits + 31) / 32 * 4;
}

// Appends each of VALUES as BYTES little-endian bytes.
void put(std::string& out, int bytes, std::initializer_list<std::size_t> values) {
    for (std::size_t value : values)
        for (int i = 0; i < bytes; ++i)
            out += static_cast<char>(value >> 8 * i & 0xff);
}

std::string draw(const std::vector<Image>& images) {
    std::string directory, bitmaps;
    put(directory, 2, {0, 1, images.size()});  // reserved, an icon (not a cursor), the images
    for (const Image& image : images) {
        const std::size_t w = image.width, h = image.height;
        std::string colours(h * stride(w, 4), '\0'), mask(h * stride(w, 1), '\0');
        for (std::size_t y = 0; y < h; ++y) {
            for (std::size_t x = 0; x < w; ++x) {
                const int pixel = image.pixels[y * w + x];
                const std::size_t row = h - 1 - y;  // DIBs run bottom-up
                // Transparent: a set mask bit over black colour bits leaves the screen as it is.
                char& bits =
                    pixel < 0 ? mask[row * stride(w, 1) + x / 8] : colours[row * stride(w, 4) + x / 2];
                bits = static_cast<char>(bits | (pixel < 0 ? 0x80 >> x % 8 : pixel << (x % 2 ? 0 : 4)));
            }
        }
        // ICONDIRENTRY: width and height (256 is written as 0), colours, reserved; planes, bits per
        // pixel; the image's size and where it starts.
        put(directory, 1, {w & 0xff, h & 0xff, 16, 0});
        put(directory, 2, {1, 4});
        put(directory, 4, {40 + 64 + colours.size() + mask.size(), 6 + 16 * images.size() + bitmaps.size()});
        // BITMAPINFOHEADER: its size, width and height (which counts the colour bits and the mask);
        // planes, bits per pixel; BI_RGB, the bits' size, pixels per metre across and down, all colours
        // used and important. Then the palette, whose 0x00RRGGBB are the RGBQUADs' blue, green, red, 0.
        put(bitmaps, 4, {40, w, 2 * h});
        put(bitmaps, 2, {1, 4});
        put(bitmaps, 4, {0, colours.size() + mask.size(), 0, 0, 0, 0});
        for (const Colour& colour : palette)
            put(bitmaps, 4, {colour.rgb});
        bitmaps += colours + mask;
    }
    return directory + bitmaps;
}

// The little-endian number of BYTES bytes at AT in ICO.
std::size_t get(const std::string& ico, std::size_t at, int bytes) {
    if (at + static_cast<std::size_t>(bytes) > ico.size())
        fail("an icon's data runs past the end of its file");
    std::size_t value = 0;
    for (int i = bytes; i-- > 0;)
        value = value << 8 | static_cast<unsigned char>(ico[at + i]);
    return value;
}

// Reads ICO as Windows does, and compares each image with its picture pixel for pixel.
void check_decodes(const std::string& path, const std::string& ico, const std::vector<Image>& images) {
    if (get(ico, 0, 2) != 0 || get(ico, 2, 2) != 1 || get(ico, 4, 2) != images.size())
        fail(path + ": no icon file of " + std::to_string(images.size()) + " images");
    for (std::size_t i = 0; i < images.size(); ++i) {
        const std::size_t w = images[i].width, h = images[i].height, entry = 6 + 16 * i;
        const std::size_t dib = get(ico, entry + 12, 4), colours_at = dib + 40 + 64;
        const std::string where = path + " image " + std::to_string(i + 1) + ": ";
        if (get(ico, entry, 1) != w % 256 || get(ico, entry + 1, 1) != h % 256 ||
            get(ico, entry + 2, 1) != 16 || get(ico, entry + 4, 2) != 1 || get(ico, entry + 6, 2) != 4)
            fail(where + "its directory entry is no 16-colour image of the picture's size");
        if (get(ico, dib, 4) != 40 || get(ico, dib + 4, 4) != w || get(ico, dib + 8, 4) != 2 * h ||
            get(ico, dib + 12, 2) != 1 || get(ico, dib + 14, 2) != 4 || get(ico, dib + 16, 4) != 0)
            fail(where + "its BITMAPINFOHEADER is no uncompressed 4-bit image of the picture's size");
        std::string quads;
        for (std::size_t at = dib + 40; at < colours_at; ++at)
            quads += {"0123456789abcdef"[get(ico, at, 1) >> 4], "0123456789abcdef"[get(ico, at, 1) & 15]};
        if (quads != palette_quads) fail(where + "the palette is not the 16 standard colours: " + quads);

        const std::size_t mask_at = colours_at + h * stride(w, 4);
        std::size_t wrong = 0;
        std::string first;
        for (std::size_t y = 0, row = h - 1; y < h; ++y, --row) {
            for (std::size_t x = 0; x < w; ++x) {
                const std::size_t colour =
                    get(ico, colours_at + row * stride(w, 4) + x / 2, 1) >> (x % 2 ? 0 : 4) & 15;
                const std::size_t mask = get(ico, mask_at + row * stride(w, 1) + x / 8, 1) >> (7 - x % 8) & 1;
                const int drawn = images[i].pixels[y * w + x];
                if (drawn < 0 ? mask == 1 && colour == 0 : mask == 0 && colour == std::size_t(drawn))
                    continue;
                if (wrong++ == 0) first = "(" + std::to_string(x) + "," + std::to_string(y) + ")";
            }
        }
        if (wrong > 0)
            fail(where + std::to_string(wrong) + " pixels differ from the picture, the first at " + first);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 3 ? argv[1] : "";
    if (mode != "draw" && mode != "check") {
        std::fputs("usage: icon_tool draw|check FOLDER (res/icons)\n", stderr);
        return 2;
    }
    const std::string folder = argv[2];
    int failures = 0;
    for (const auto& [name, sizes] : icons) {
        const std::string ico_path = folder + "/" + name + ".ico";
        try {
            const std::vector<Image> images = read_picture(folder + "/" + name + ".txt");
            std::vector<std::size_t> drawn_sizes;
            for (const Image& image : images)
                drawn_sizes.push_back(image.width == image.height ? image.width : 0);
            if (drawn_sizes != sizes)
                fail(folder + "/" + name + ".txt: the program needs other sizes of this icon, square");
            const std::string drawn = draw(images);
            if (mode == "draw") {
                // Through a new file, so that a failed write never leaves half an icon.
                if (!(std::ofstream(ico_path + ".new", std::ios::binary) << drawn))
                    fail(ico_path + ".new: not written");
                std::filesystem::rename(ico_path + ".new", ico_path);
                std::printf("%s: drawn\n", ico_path.c_str());
                continue;
            }
            const std::string ico = read_file(ico_path);
            if (ico != drawn)
                fail(ico_path + " is not drawn from " + name + ".txt: redraw it with `" + argv[0] + " draw " +
                     folder + "`");
            check_decodes(ico_path, ico, images);
            std::printf("%s: %zu image(s), 4 bits, decodes to its picture\n", ico_path.c_str(),
                        images.size());
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
