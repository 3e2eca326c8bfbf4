#include "FuzzTarget.h"

#include "HYX/Date.h"
#include "HYX/NameConv.h"
#include "HYX/NameConvFile.h"
#include "HYX/Resrc.h"
#include "HYX/String.h"

// A naming-convention file: the first line is the request ("tag[,header,type]"), the second
// a file name to decode, the rest the file.
HYX_FUZZ_TARGET(nameconv) {
    const std::string in = fuzz::text(data, size);
    const size_t a = in.find('\n');
    const size_t b = a == std::string::npos ? a : in.find('\n', a + 1);
    const std::string spec = in.substr(0, a);
    const std::string name = a == std::string::npos ? "" : in.substr(a + 1, b - a - 1);
    const std::string file = b == std::string::npos ? "" : in.substr(b + 1);
    fuzz::toFile(reinterpret_cast<const uint8_t*>(file.data()), file.size(), "name.cnv");
    HYX::Hyx::putResrc("file_path", fuzz::scratch().c_str());
    HYX::Hyx::putResrc("data_path", fuzz::scratch().c_str());
    HYX::NameConv nc;
    nc.set(spec.c_str());
    HYX::String out;
    const HYX::Date d(1980, 5, 18, 12, 30, 0.0f);
    nc.encodeFile(d, out);
    nc.decode(out.get());
    nc.encodeHdr(d, out);
    nc.decode(name.c_str());
    nc.makePattern(out);
    HYX::Hyx::getResrcStore().clear();
}
