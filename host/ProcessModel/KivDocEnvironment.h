#pragma once
// The environment of a process document. The planning-rule environment is a
// kind of "IPDDocEnv"; commands test it with IsAKindOf / IsA.
#include "KivImplement.h"

class KivDocEnvironment : public KivImplement<> {
  KIV_CLASS(KivDocEnvironment, KivBaseUnknown, "ProcessModel")
 public:
  KivDocEnvironment() = default;

 protected:
  ~KivDocEnvironment() override = default;
};

class IPDDocEnv : public KivDocEnvironment {
  KIV_CLASS(IPDDocEnv, KivDocEnvironment, "ProcessModel")
 public:
  IPDDocEnv() = default;

 protected:
  ~IPDDocEnv() override = default;
};
