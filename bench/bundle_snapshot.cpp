// Measures a folder tree as an application bundle is measured and prints the figures:
//   bundle_snapshot <folder> [repeats]
#include "core/records/BundleSnapshot.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: " << argv[0] << " <folder> [repeats]\n";
        return 2;
    }
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    for (int i = 0; i < repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const auto snapshot = tollenvane::BundleSnapshot::measure(argv[1]);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        std::cout << "bytes " << snapshot.size << "  allocated " << snapshot.allocatedSize
                  << "  fingerprint " << snapshot.fingerprint << "  seconds " << elapsed.count()
                  << '\n';
    }
    return 0;
}
