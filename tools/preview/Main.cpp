// orvane-preview: renders a named scene on the software compositor over the
// built-in wallpaper and writes it as a PNG.
//
//   orvane-preview SCENE OUT.png [--scale S] [--dark|--light] [--no-transparency]
//   orvane-preview --all DIR [options]    every scene, as DIR/SCENE.png
//   orvane-preview --sweep DIR [SCENE] [options]
//                                         a playing scene's frames as DIR/frame-NNN.png
//                                         (the default scene is dock-bottom)
//   orvane-preview --list

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "PngWriter.h"
#include "Scenes.h"
#include "Wallpaper.h"
#include "app/Errors.h"
#include "render/PixelCanvas.h"
#include "render/SoftBackdrop.h"
#include "render/SoftCompositor.h"

namespace orvane::preview {
namespace {

// The screen in DIP; its pixel size follows the scale.
constexpr float kScreenWidthDip = 1280, kScreenHeightDip = 800;

struct Options {
  bool all = false;
  bool sweep = false;
  std::string scene;
  std::string output;  // the file, or the folder with --all
  float scale = 1;
  bool dark = false;  // the platform's default is the light theme
  bool transparency = true;
};

void PrintUsage() {
  std::fprintf(stderr,
               "usage: orvane-preview SCENE OUT.png [--scale S] [--dark|--light] [--no-transparency]\n"
               "       orvane-preview --all DIR [options]\n"
               "       orvane-preview --sweep DIR [SCENE] [options]\n"
               "       orvane-preview --list\n");
}

void PrintScenes() {
  for (const Scene& scene : AllScenes()) std::printf("%-24s %s\n", scene.name.c_str(), scene.description.c_str());
}

std::optional<Options> ParseOptions(const std::vector<std::string>& args) {
  Options options;
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--scale") {
      if (i + 1 == args.size()) return std::nullopt;
      char* end = nullptr;
      options.scale = std::strtof(args[++i].c_str(), &end);
      if (end == args[i].c_str() || *end != '\0' || !std::isfinite(options.scale) || options.scale < 1 ||
          options.scale > 4) {
        std::fprintf(stderr, "orvane-preview: the scale must be a number from 1 to 4\n");
        return std::nullopt;
      }
    } else if (arg == "--dark") {
      options.dark = true;
    } else if (arg == "--light") {
      options.dark = false;
    } else if (arg == "--no-transparency") {
      options.transparency = false;
    } else if (arg == "--all") {
      options.all = true;
    } else if (arg == "--sweep") {
      if (i + 1 == args.size() || options.sweep) return std::nullopt;
      options.sweep = true;
      options.output = args[++i];
    } else if (arg.starts_with("--")) {
      std::fprintf(stderr, "orvane-preview: unknown option %s\n", arg.c_str());
      return std::nullopt;
    } else {
      positional.push_back(arg);
    }
  }
  if (options.sweep) {
    if (options.all || positional.size() > 1) return std::nullopt;
    options.scene = positional.empty() ? "dock-bottom" : positional[0];
    return options;
  }
  if (positional.size() != (options.all ? 1u : 2u)) return std::nullopt;
  if (!options.all) options.scene = positional[0];
  options.output = positional.back();
  return options;
}

// The window's frame over the wallpaper behind it.
std::vector<std::uint8_t> OverWallpaper(const Wallpaper& wallpaper, const SoftFrame& frame, ScreenPoint position) {
  std::vector<std::uint8_t> out =
      CopyPictureRegion(wallpaper.view(), PixelRect{position.x, position.y, frame.width, frame.height});
  auto canvas = CreatePixelCanvas(out.data(), frame.width, frame.height, frame.width * 4);
  if (canvas != nullptr) {
    canvas->DrawBitmap(frame.view(),
                       RectF{0, 0, static_cast<float>(frame.width), static_cast<float>(frame.height)}, 1,
                       Interpolation::NearestNeighbor);
  }
  return out;
}

// Renders the scene's window as it stands and writes it to `output`.
void WriteFrame(const Wallpaper& wallpaper, SoftCompositor& compositor, const SceneContext& context,
                const std::string& output) {
  const auto start = std::chrono::steady_clock::now();
  const SoftFrame frame =
      compositor.RenderWindow(context.window, context.windowWidth, context.windowHeight, context.windowPosition);
  const double renderMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();

  const std::vector<std::uint8_t> image = OverWallpaper(wallpaper, frame, context.windowPosition);
  std::string error;
  if (!WritePng(output, BitmapView{frame.width, frame.height, frame.width * 4, image.data()}, error)) {
    throw std::runtime_error("cannot write " + output + ": " + error);
  }
  std::printf("%s: %d x %d, rendered in %.1f ms\n", output.c_str(), frame.width, frame.height, renderMs);
}

// One PNG at `output`, or with --sweep the scene's frames in the folder `output`.
int RenderScene(const Scene& scene, const std::string& output, const Options& options) {
  const int screenWidth = static_cast<int>(std::lround(kScreenWidthDip * options.scale));
  const int screenHeight = static_cast<int>(std::lround(kScreenHeightDip * options.scale));
  const Wallpaper wallpaper = MakeWallpaper(screenWidth, screenHeight);
  SoftCompositor compositor;
  compositor.SetWallpaper(wallpaper.view());

  SceneContext context{compositor};
  context.scale = options.scale;
  context.dark = options.dark;
  context.transparency = options.transparency;
  context.screenWidth = screenWidth;
  context.screenHeight = screenHeight;
  try {
    scene.build(context);
    if (context.windowWidth <= 0 || context.windowHeight <= 0) {
      std::fprintf(stderr, "orvane-preview: scene \"%s\" set no window size\n", scene.name.c_str());
      return 1;
    }
    if (!options.sweep) {
      WriteFrame(wallpaper, compositor, context, output);
      return 0;
    }
    if (!context.nextFrame) {
      std::fprintf(stderr, "orvane-preview: scene \"%s\" has no frame sequence\n", scene.name.c_str());
      return 1;
    }
    std::filesystem::create_directories(output);
    int index = 0;
    do {
      char name[32];
      std::snprintf(name, sizeof name, "/frame-%03d.png", index++);
      WriteFrame(wallpaper, compositor, context, output + name);
    } while (context.nextFrame());
  } catch (const HResultError& e) {
    std::fprintf(stderr, "orvane-preview: scene \"%s\" failed: 0x%08X %s\n", scene.name.c_str(),
                 static_cast<unsigned>(e.code()), e.what());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "orvane-preview: scene \"%s\" failed: %s\n", scene.name.c_str(), e.what());
    return 1;
  }
  return 0;
}

int Run(const Options& options) {
  const std::vector<Scene> scenes = AllScenes();
  if (options.all) {
    std::error_code ignored;
    std::filesystem::create_directories(options.output, ignored);
    int result = 0;
    for (const Scene& scene : scenes) {
      if (RenderScene(scene, options.output + "/" + scene.name + ".png", options) != 0) result = 1;
    }
    return result;
  }
  for (const Scene& scene : scenes) {
    if (scene.name == options.scene) return RenderScene(scene, options.output, options);
  }
  std::fprintf(stderr, "orvane-preview: no scene named \"%s\"; these exist:\n", options.scene.c_str());
  for (const Scene& scene : scenes) std::fprintf(stderr, "  %s\n", scene.name.c_str());
  return 2;
}

}  // namespace
}  // namespace orvane::preview

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && args[0] == "--list") {
    orvane::preview::PrintScenes();
    return 0;
  }
  const auto options = orvane::preview::ParseOptions(args);
  if (!options) {
    orvane::preview::PrintUsage();
    return 2;
  }
  return orvane::preview::Run(*options);
}
