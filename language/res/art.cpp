// plimo-art: draws the module's icon (id 10000) and the picture of the search
// progress window (id 10001) and writes them as an .ico file and a
// device-independent bitmap. The pictures are defined here, in code, so that
// they can be changed and rebuilt like anything else.
//
//   plimo-art ICON_FILE BITMAP_FILE
//   plimo-art --icon SIZE ICON_FILE   (the icon alone, at one size up to 256,
//                                      for the desktop's icon theme)
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Rgb {
    uint8_t r, g, b;
};

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back((v >> (8 * i)) & 0xFF);
}

// BITMAPINFOHEADER.
void PutInfoHeader(std::vector<uint8_t>& out, int width, int height, int bits, int colours,
                   uint32_t imageSize) {
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bits));
    Put32(out, 0);  // BI_RGB
    Put32(out, imageSize);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, static_cast<uint32_t>(colours));
    Put32(out, 0);
}

void PutColour(std::vector<uint8_t>& out, Rgb c) {
    out.push_back(c.b);
    out.push_back(c.g);
    out.push_back(c.r);
    out.push_back(0);
}

// ---- The icon: an open blue book with a tricolour bookmark, 16 colours. ----

const Rgb kVga[16] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};
enum { Black = 0, Navy = 4, Silver = 7, Grey = 8, Red = 9, Blue = 12, White = 15, Clear = -1 };

// Colour index of pixel (x, y), y from the top, on a size x size icon.
int IconPixel(int size, int x, int y) {
    const double u = (x + 0.5) / size, v = (y + 0.5) / size;
    // Cover of the book: a rounded navy rectangle.
    const bool cover = u > 0.06 && u < 0.94 && v > 0.14 && v < 0.90;
    if (!cover) return Clear;
    const bool edge = u < 0.12 || u > 0.88 || v < 0.20 || v > 0.84;
    if (edge) return Navy;
    // Two white pages with a fold in the middle.
    if (std::fabs(u - 0.5) < 0.03) return Grey;
    // The bookmark: blue, white, red stripes hanging from the top of the right page.
    if (u > 0.62 && u < 0.80 && v < 0.62) {
        if (v > 0.54 && std::fabs(u - 0.71) < (v - 0.54) * 1.2) return White;  // notch
        return u < 0.68 ? Blue : (u < 0.74 ? White : Red);
    }
    // Lines of text on the pages.
    const int line = static_cast<int>((v - 0.26) / 0.10);
    const double inLine = (v - 0.26) / 0.10 - line;
    if (v > 0.26 && line < 5 && inLine < (size <= 16 ? 0.45 : 0.3) &&
        ((u > 0.18 && u < 0.44) || (u > 0.56 && u < 0.82 && v > 0.64)))
        return Silver;
    return White;
}

std::vector<uint8_t> IconImage(int size) {
    std::vector<uint8_t> out;
    const int xorRow = ((size * 4 + 31) / 32) * 4;
    const int andRow = ((size + 31) / 32) * 4;
    PutInfoHeader(out, size, size * 2, 4, 16, static_cast<uint32_t>((xorRow + andRow) * size));
    for (const Rgb& c : kVga) PutColour(out, c);
    for (int y = size - 1; y >= 0; --y) {  // bottom-up rows
        std::vector<uint8_t> row(xorRow, 0);
        for (int x = 0; x < size; ++x) {
            const int p = IconPixel(size, x, y);
            const uint8_t index = p == Clear ? 0 : static_cast<uint8_t>(p);
            row[x / 2] |= (x % 2 == 0) ? static_cast<uint8_t>(index << 4) : index;
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<uint8_t> row(andRow, 0);
        for (int x = 0; x < size; ++x)
            if (IconPixel(size, x, y) == Clear) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<uint8_t> IconFile(const std::vector<int>& sizes = {32, 16}) {
    std::vector<std::vector<uint8_t>> images;
    for (int size : sizes) images.push_back(IconImage(size));
    const int count = static_cast<int>(sizes.size());
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);  // icon
    Put16(out, static_cast<uint32_t>(count));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(count);
    for (int i = 0; i < count; ++i) {
        const int size = sizes[i];  // 256 is written as 0
        out.push_back(static_cast<uint8_t>(size & 0xFF));
        out.push_back(static_cast<uint8_t>(size & 0xFF));
        out.push_back(16);  // colours
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 4);
        Put32(out, static_cast<uint32_t>(images[i].size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
    return out;
}

// ---- The progress picture: 263 x 164, 256 colours. ----
// A pale sky over soft hills, with an open book on the right whose pages turn
// into a flight of small birds: quiet enough to read text over.

constexpr int kWidth = 263, kHeight = 164;

Rgb Mix(Rgb a, Rgb b, double t) {
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    return {static_cast<uint8_t>(a.r + (b.r - a.r) * t), static_cast<uint8_t>(a.g + (b.g - a.g) * t),
            static_cast<uint8_t>(a.b + (b.b - a.b) * t)};
}

Rgb PicturePixel(int x, int y) {
    const double u = x / double(kWidth - 1), v = y / double(kHeight - 1);
    Rgb c = Mix({214, 230, 250}, {250, 252, 255}, v * 1.4);  // sky
    const double hill1 = 0.80 - 0.06 * std::sin(u * 5.0 + 0.6);
    const double hill2 = 0.88 - 0.05 * std::sin(u * 7.0 + 2.0);
    if (v > hill1) c = Mix({205, 228, 205}, {186, 214, 190}, (v - hill1) * 5);
    if (v > hill2) c = Mix({176, 208, 182}, {160, 196, 168}, (v - hill2) * 6);
    // The open book, lower right.
    const double bx = (x - 205.0) / 44.0, by = (y - 112.0) / 22.0;
    const double sag = 0.18 * bx * bx;
    if (std::fabs(bx) < 1.0 && by > -0.9 + sag && by < 0.7 + sag) {
        const bool spine = std::fabs(bx) < 0.035;
        c = spine ? Rgb{150, 160, 190} : Rgb{255, 253, 246};
        const double lineY = (by - sag + 0.6) / 0.25;
        if (!spine && lineY > 0 && lineY < 5 && lineY - std::floor(lineY) < 0.22 && std::fabs(bx) > 0.12 &&
            std::fabs(bx) < 0.88)
            c = {196, 204, 222};
    }
    if (std::fabs(bx) < 1.06 && by > 0.7 + sag && by < 0.86 + sag) c = {40, 70, 140};  // cover
    // Birds rising from the pages: small "v" strokes.
    static const double birds[][3] = {{196, 76, 1.0}, {214, 62, 0.9}, {186, 52, 0.8},
                                      {226, 40, 0.7}, {204, 30, 0.6}, {238, 22, 0.55}};
    for (const auto& b : birds) {
        const double dx = x - b[0], dy = y - b[1];
        const double s = 6 * b[2];
        if (std::fabs(dx) < s && std::fabs(dy + std::fabs(dx) * 0.55 - s * 0.15) < 0.9) c = {70, 90, 140};
    }
    // A thin tricolour rule along the bottom.
    if (y >= kHeight - 3)
        c = u < 1.0 / 3 ? Rgb{0, 85, 164} : (u < 2.0 / 3 ? Rgb{255, 255, 255} : Rgb{239, 65, 53});
    return c;
}

// The palette is cut from the picture's own colours (median cut), so that its
// soft gradients need no dithering.
std::vector<Rgb> MedianCutPalette(const std::vector<Rgb>& pixels, size_t size) {
    std::vector<std::vector<Rgb>> boxes = {pixels};
    auto channel = [](const Rgb& c, int k) { return k == 0 ? c.r : (k == 1 ? c.g : c.b); };
    while (boxes.size() < size) {
        // Split the box with the widest range along that channel.
        size_t best = 0;
        int bestRange = -1, bestChannel = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].size() < 2) continue;
            for (int k = 0; k < 3; ++k) {
                int lo = 255, hi = 0;
                for (const Rgb& c : boxes[i]) {
                    lo = std::min(lo, int(channel(c, k)));
                    hi = std::max(hi, int(channel(c, k)));
                }
                if (hi - lo > bestRange) {
                    bestRange = hi - lo;
                    best = i;
                    bestChannel = k;
                }
            }
        }
        if (bestRange <= 0) break;
        auto& box = boxes[best];
        std::sort(box.begin(), box.end(), [&](const Rgb& a, const Rgb& b) {
            return channel(a, bestChannel) < channel(b, bestChannel);
        });
        std::vector<Rgb> upper(box.begin() + box.size() / 2, box.end());
        box.resize(box.size() / 2);
        boxes.push_back(std::move(upper));
    }
    std::vector<Rgb> palette;
    for (const auto& box : boxes) {
        long r = 0, g = 0, b = 0;
        for (const Rgb& c : box) r += c.r, g += c.g, b += c.b;
        const long n = static_cast<long>(box.size());
        palette.push_back(
            {static_cast<uint8_t>(r / n), static_cast<uint8_t>(g / n), static_cast<uint8_t>(b / n)});
    }
    while (palette.size() < size) palette.push_back({255, 255, 255});
    return palette;
}

std::vector<uint8_t> PictureBitmap() {
    std::vector<Rgb> pixels;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) pixels.push_back(PicturePixel(x, y));
    const std::vector<Rgb> palette = MedianCutPalette(pixels, 256);
    auto nearest = [&](const Rgb& c) {
        int best = 0, bestDistance = 1 << 30;
        for (size_t i = 0; i < palette.size(); ++i) {
            const int dr = c.r - palette[i].r, dg = c.g - palette[i].g, db = c.b - palette[i].b;
            const int d = dr * dr + dg * dg + db * db;
            if (d < bestDistance) bestDistance = d, best = static_cast<int>(i);
        }
        return static_cast<uint8_t>(best);
    };
    const int stride = (kWidth + 3) / 4 * 4;
    std::vector<uint8_t> out;
    PutInfoHeader(out, kWidth, kHeight, 8, 256, static_cast<uint32_t>(stride * kHeight));
    for (const Rgb& c : palette) PutColour(out, c);
    for (int y = kHeight - 1; y >= 0; --y) {  // bottom-up rows
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < kWidth; ++x) row[x] = nearest(pixels[static_cast<size_t>(y) * kWidth + x]);
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

bool Write(const char* path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--icon") {
        const int size = std::atoi(argv[2]);
        if (size < 16 || size > 256) {
            std::fprintf(stderr, "plimo-art: the icon size must be 16 to 256\n");
            return 2;
        }
        if (!Write(argv[3], IconFile({size}))) {
            std::fprintf(stderr, "plimo-art: cannot write the icon\n");
            return 1;
        }
        return 0;
    }
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: plimo-art ICON_FILE BITMAP_FILE\n       plimo-art --icon SIZE ICON_FILE\n");
        return 2;
    }
    if (!Write(argv[1], IconFile()) || !Write(argv[2], PictureBitmap())) {
        std::fprintf(stderr, "plimo-art: cannot write the pictures\n");
        return 1;
    }
    return 0;
}
