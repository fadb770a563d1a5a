#pragma once
// Keeps the Xerces-C platform initialised while an instance lives. The
// platform is initialised by the first user and terminated after the last
// one, so it is never terminated under a parser, a writer or any caller that
// still uses Xerces strings (a transcoder, for instance). Create one on the
// user-interface thread before calling Xerces directly.
class KivXMLPlatformUse {
 public:
  KivXMLPlatformUse();
  ~KivXMLPlatformUse();
  KivXMLPlatformUse(const KivXMLPlatformUse&) = delete;
  KivXMLPlatformUse& operator=(const KivXMLPlatformUse&) = delete;

  // False when Xerces failed to initialise; nothing may call it then.
  bool IsReady() const { return ready_; }
  // Number of live users in the process.
  static int Users();

 private:
  bool ready_ = false;
};
