// kanacatch_sounds: writes the tune and the two sounds of the data folder.
//   kanacatch_sounds TUNE.txt OUTPUT-FOLDER
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "arrange.h"
#include "smf.h"
#include "tune.h"
#include "voices.h"

int main(int argc, char** argv) {
  using namespace kanasounds;
  if (argc != 3) {
    std::cerr << "usage: " << argv[0] << " TUNE.txt OUTPUT-FOLDER\n";
    return 2;
  }
  try {
    std::ifstream in(argv[1]);
    if (!in) throw std::runtime_error(std::string("cannot read ") + argv[1]);
    const Tune tune = parseTune(in);
    const std::filesystem::path out(argv[2]);
    std::filesystem::create_directories(out);
    writeSmf(out / "Blugrass.mid", tune, arrange(tune));
    writeWave(out / "金属.wav", metalTick());
    writeWave(out / "みゃ.wav", myaChirp());
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}
