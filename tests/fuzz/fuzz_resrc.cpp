#include "FuzzTarget.h"

#include "HYX/Resrc.h"
#include "HYX/ResrcFile.h"
#include "HYX/String.h"

// A resource file as vsect reads it, then line by line.
HYX_FUZZ_TARGET(resrc) {
    const std::string path = fuzz::toFile(data, size, "input.cfg");
    HYX::Resrc store;
    HYX::ResrcFile all(store);
    all.set("vsect", "vsect");
    all.readFile(store, path.c_str());
    HYX::ResrcFile rf(store);
    rf.set("vsect", "main");
    if (!rf.open(path.c_str())) return;
    HYX::String key, value;
    for (int n = 0; n < 100000 && rf.get(key, value) == 1; ++n) {
    }
}
