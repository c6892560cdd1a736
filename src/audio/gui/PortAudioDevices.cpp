#include "audio/gui/PortAudioDevices.h"

namespace slicewright {

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
