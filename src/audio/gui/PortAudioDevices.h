#pragma once

#include <portaudio.h>

namespace slicewright {

// Pa_Initialize with the sound library's complaints about absent cards and
// plugins kept off the terminal; they say nothing about the device chosen.
PaError InitializePortAudio();

// The output to play through: the default output of the default audio
// interface, or, where that interface has none (a system with only a JACK
// server, say), the default output of the first interface that has one.
// paNoDevice when there is no output at all. PortAudio must be initialised.
PaDeviceIndex ChooseOutputDevice();

// Output devices over every audio interface. PortAudio must be initialised.
int CountOutputDevices();

}  // namespace slicewright
