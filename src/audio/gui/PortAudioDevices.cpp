#include "audio/gui/PortAudioDevices.h"

#include <dlfcn.h>

namespace slicewright {

namespace {
void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// ALSA is reached through PortAudio only, so it is looked up at run time.
void SilenceAlsa() {
  static const bool silenced = [] {
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    void* symbol = dlsym(RTLD_DEFAULT, "snd_lib_error_set_handler");
    if (symbol == nullptr) return false;
    reinterpret_cast<SetHandler>(symbol)(&IgnoreAlsaError);
    return true;
  }();
  (void)silenced;
}
}  // namespace

PaError InitializePortAudio() {
  SilenceAlsa();
  return Pa_Initialize();
}

PaDeviceIndex ChooseOutputDevice() {
  const PaDeviceIndex preferred = Pa_GetDefaultOutputDevice();
  if (preferred != paNoDevice) return preferred;
  const PaHostApiIndex apis = Pa_GetHostApiCount();
  for (PaHostApiIndex api = 0; api < apis; ++api) {
    const PaHostApiInfo* info = Pa_GetHostApiInfo(api);
    if (info != nullptr && info->defaultOutputDevice != paNoDevice) return info->defaultOutputDevice;
  }
  const PaDeviceIndex devices = Pa_GetDeviceCount();
  for (PaDeviceIndex device = 0; device < devices; ++device) {
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    if (info != nullptr && info->maxOutputChannels > 0) return device;
  }
  return paNoDevice;
}

int CountOutputDevices() {
  int count = 0;
  const PaDeviceIndex devices = Pa_GetDeviceCount();
  for (PaDeviceIndex device = 0; device < devices; ++device) {
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    if (info != nullptr && info->maxOutputChannels > 0) ++count;
  }
  return count;
}

}  // namespace slicewright
