// The sources found by the search that runs in its own short process
// (orvelle-sources): one line per source, its name and its description
// parted by a tab. Backends load libraries the window would keep for as long
// as it runs, and a faulty one cannot take the window down from there.
#pragma once

#include "acquisition/Scanner.h"

#include <string>
#include <vector>

namespace orv {

std::string EcritSources(const std::vector<SourceAcquisition>& sources);
// A camera's source name: "camera:" and the system's name of the camera.
std::string NomCamera(const std::string& identifiant);
bool EstCamera(const std::string& source);
std::string IdentifiantCamera(const std::string& source); // empty: not a camera
// Lines without a name are left out; a tab or a line break inside a field was
// written as a blank.
std::vector<SourceAcquisition> LitSources(const std::string& texte);

} // namespace orv
