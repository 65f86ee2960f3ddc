#pragma once
// Windows.UI.Composition ABI interfaces (the subset the compositor adapter
// uses). Each interface notes the public source its IID and slot order were
// checked against:
//  - "Wine IDL": include/windows.ui.composition.idl of the Wine project;
//  - "SDK header": winrt/windows.ui.composition.h of the Windows SDK
//    (10.0.26100), as published in the TerraFX interop port, which lists
//    every slot index.
// Slots 0-5 are IUnknown and IInspectable; the first listed method is slot 6.

#include "platform/win32/winrt/WinRtBase.h"

namespace orvane::winrt {

struct IGraphicsEffect;
struct IGeometrySource2D;

// Runtime classes this adapter never touches; only their pointers appear in
// the slots declared below.
struct IColorKeyFrameAnimation;
struct ICubicBezierEasingFunction;
struct IExpressionAnimation;
struct IInsetClip;
struct ILinearEasingFunction;
struct ICompositionPropertySet;
struct IQuaternionKeyFrameAnimation;
struct IScalarKeyFrameAnimation;
struct ICompositionScopedBatch;
struct IVector2KeyFrameAnimation;
struct IVector3KeyFrameAnimation;
struct IVector4KeyFrameAnimation;
struct ICompositionCommitBatch;
struct IIterableOfHString;  // Windows.Foundation.Collections.IIterable<HSTRING>
struct IAmbientLight;
struct ICompositionAnimationGroup;
struct IDistantLight;
struct IDropShadow;
struct IImplicitAnimationCollection;
struct ILayerVisual;
struct ICompositionMaskBrush;
struct IPointLight;
struct ISpotLight;
struct IStepEasingFunction;
struct IBounceScalarNaturalMotionAnimation;
struct IBounceVector2NaturalMotionAnimation;
struct IBounceVector3NaturalMotionAnimation;
struct ICompositionContainerShape;
struct ICompositionEllipseGeometry;
struct ICompositionLineGeometry;
struct IPathKeyFrameAnimation;
struct ICompositionRectangleGeometry;
struct ICompositionViewBox;
struct ICompositionVirtualDrawingSurface;
struct IRenderingDeviceReplacedHandler;  // TypedEventHandler<CompositionGraphicsDevice, RenderingDeviceReplacedEventArgs>

struct IVisual;
struct IContainerVisual;
struct ISpriteVisual;
struct IVisualCollection;
struct ICompositionBrush;
struct ICompositionColorBrush;
struct ICompositionSurfaceBrush;
struct ICompositionNineGridBrush;
struct ICompositionBackdropBrush;
struct ICompositionEffectBrush;
struct ICompositionEffectFactory;
struct ICompositionClip;
struct ICompositionGeometricClip;
struct ICompositionGeometry;
struct ICompositionRoundedRectangleGeometry;
struct ICompositionPathGeometry;
struct ICompositionPath;
struct ICompositionSurface;
struct ICompositionDrawingSurface;
struct ICompositionGraphicsDevice;
struct ICompositionTarget;

// --- Compositor ---------------------------------------------------------------

// Order checked against the Wine IDL.
struct ICompositor : IInspectable {
  static constexpr GUID kIid{0xb403ca50, 0x7f8c, 0x4e83, {0x98, 0x5f, 0xcc, 0x45, 0x06, 0x00, 0x36, 0xd8}};
  virtual HRESULT STDMETHODCALLTYPE CreateColorKeyFrameAnimation(IColorKeyFrameAnimation** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateColorBrush(ICompositionColorBrush** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateColorBrushWithColor(Color color, ICompositionColorBrush** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateContainerVisual(IContainerVisual** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateCubicBezierEasingFunction(Vector2 point1, Vector2 point2,
                                                                    ICubicBezierEasingFunction** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateEffectFactory(IGraphicsEffect* effect,
                                                        ICompositionEffectFactory** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateEffectFactoryWithProperties(IGraphicsEffect* effect,
                                                                      IIterableOfHString* animatableProperties,
                                                                      ICompositionEffectFactory** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateExpressionAnimation(IExpressionAnimation** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateExpressionAnimationWithExpression(HSTRING expression,
                                                                            IExpressionAnimation** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateInsetClip(IInsetClip** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateInsetClipWithInsets(float leftInset, float topInset, float rightInset,
                                                              float bottomInset, IInsetClip** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateLinearEasingFunction(ILinearEasingFunction** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreatePropertySet(ICompositionPropertySet** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateQuaternionKeyFrameAnimation(IQuaternionKeyFrameAnimation** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateScalarKeyFrameAnimation(IScalarKeyFrameAnimation** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateScopedBatch(CompositionBatchTypes batchType,
                                                      ICompositionScopedBatch** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateSpriteVisual(ISpriteVisual** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateSurfaceBrush(ICompositionSurfaceBrush** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateSurfaceBrushWithSurface(ICompositionSurface* surface,
                                                                  ICompositionSurfaceBrush** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateTargetForCurrentView(ICompositionTarget** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateVector2KeyFrameAnimation(IVector2KeyFrameAnimation** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateVector3KeyFrameAnimation(IVector3KeyFrameAnimation** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateVector4KeyFrameAnimation(IVector4KeyFrameAnimation** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCommitBatch(CompositionBatchTypes batchType,
                                                   ICompositionCommitBatch** result) = 0;
};

// Order checked against the SDK header.
struct ICompositor2 : IInspectable {
  static constexpr GUID kIid{0x735081dc, 0x5e24, 0x45da, {0xa3, 0x8f, 0xe3, 0x2c, 0xc3, 0x49, 0xa9, 0xa0}};
  virtual HRESULT STDMETHODCALLTYPE CreateAmbientLight(IAmbientLight** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateAnimationGroup(ICompositionAnimationGroup** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateBackdropBrush(ICompositionBackdropBrush** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateDistantLight(IDistantLight** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateDropShadow(IDropShadow** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateImplicitAnimationCollection(IImplicitAnimationCollection** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateLayerVisual(ILayerVisual** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateMaskBrush(ICompositionMaskBrush** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateNineGridBrush(ICompositionNineGridBrush** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreatePointLight(IPointLight** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateSpotLight(ISpotLight** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateStepEasingFunction(IStepEasingFunction** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateStepEasingFunctionWithStepCount(INT32 stepCount,
                                                                          IStepEasingFunction** result) = 0;
};

// Order checked against the SDK header.
struct ICompositor3 : IInspectable {
  static constexpr GUID kIid{0xc9dd8ef0, 0x6eb1, 0x4e3c, {0xa6, 0x58, 0x67, 0x5d, 0x9c, 0x64, 0xd4, 0xab}};
  virtual HRESULT STDMETHODCALLTYPE CreateHostBackdropBrush(ICompositionBackdropBrush** result) = 0;
};

// Order checked against the SDK header (declared up to the last slot used).
struct ICompositor5 : IInspectable {
  static constexpr GUID kIid{0x48ea31ad, 0x7fcd, 0x4076, {0xa7, 0x9c, 0x90, 0xcc, 0x4b, 0x85, 0x2c, 0x9b}};
  virtual HRESULT STDMETHODCALLTYPE get_Comment(HSTRING* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Comment(HSTRING value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_GlobalPlaybackRate(float* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_GlobalPlaybackRate(float value) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateBounceScalarAnimation(IBounceScalarNaturalMotionAnimation** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateBounceVector2Animation(IBounceVector2NaturalMotionAnimation** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateBounceVector3Animation(IBounceVector3NaturalMotionAnimation** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateContainerShape(ICompositionContainerShape** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateEllipseGeometry(ICompositionEllipseGeometry** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateLineGeometry(ICompositionLineGeometry** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreatePathGeometry(ICompositionPathGeometry** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreatePathGeometryWithPath(ICompositionPath* path,
                                                               ICompositionPathGeometry** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreatePathKeyFrameAnimation(IPathKeyFrameAnimation** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateRectangleGeometry(ICompositionRectangleGeometry** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateRoundedRectangleGeometry(ICompositionRoundedRectangleGeometry** result) = 0;
};

// Order checked against the SDK header (declared up to the last slot used).
struct ICompositor6 : IInspectable {
  static constexpr GUID kIid{0x7a38b2bd, 0xcec8, 0x4eeb, {0x83, 0x0f, 0xd8, 0xd0, 0x7a, 0xed, 0xeb, 0xc3}};
  virtual HRESULT STDMETHODCALLTYPE CreateGeometricClip(ICompositionGeometricClip** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateGeometricClipWithGeometry(ICompositionGeometry* geometry,
                                                                    ICompositionGeometricClip** result) = 0;
};

// --- Visuals --------------------------------------------------------------------

// Order checked against the Wine IDL.
struct IVisual : IInspectable {
  static constexpr GUID kIid{0x117e202d, 0xa859, 0x4c89, {0x87, 0x3b, 0xc2, 0xaa, 0x56, 0x67, 0x88, 0xe3}};
  virtual HRESULT STDMETHODCALLTYPE get_AnchorPoint(Vector2* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_AnchorPoint(Vector2 value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_BackfaceVisibility(CompositionBackfaceVisibility* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_BackfaceVisibility(CompositionBackfaceVisibility value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_BorderMode(CompositionBorderMode* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_BorderMode(CompositionBorderMode value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_CenterPoint(Vector3* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_CenterPoint(Vector3 value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Clip(ICompositionClip** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Clip(ICompositionClip* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_CompositeMode(CompositionCompositeMode* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_CompositeMode(CompositionCompositeMode value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_IsVisible(boolean* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_IsVisible(boolean value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Offset(Vector3* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Offset(Vector3 value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Opacity(float* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Opacity(float value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Orientation(Quaternion* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Orientation(Quaternion value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Parent(IContainerVisual** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_RotationAngle(float* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_RotationAngle(float value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_RotationAngleInDegrees(float* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_RotationAngleInDegrees(float value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_RotationAxis(Vector3* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_RotationAxis(Vector3 value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Scale(Vector3* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Scale(Vector3 value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Size(Vector2* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Size(Vector2 value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_TransformMatrix(Matrix4x4* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_TransformMatrix(Matrix4x4 value) = 0;
};

// Order checked against the SDK header.
struct IVisual2 : IInspectable {
  static constexpr GUID kIid{0x3052b611, 0x56c3, 0x4c3e, {0x8b, 0xf3, 0xf6, 0xe1, 0xad, 0x47, 0x3f, 0x06}};
  virtual HRESULT STDMETHODCALLTYPE get_ParentForTransform(IVisual** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_ParentForTransform(IVisual* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_RelativeOffsetAdjustment(Vector3* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_RelativeOffsetAdjustment(Vector3 value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_RelativeSizeAdjustment(Vector2* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_RelativeSizeAdjustment(Vector2 value) = 0;
};

// Order checked against the Wine IDL.
struct IContainerVisual : IInspectable {
  static constexpr GUID kIid{0x02f6bc74, 0xed20, 0x4773, {0xaf, 0xe6, 0xd4, 0x9b, 0x4a, 0x93, 0xdb, 0x32}};
  virtual HRESULT STDMETHODCALLTYPE get_Children(IVisualCollection** value) = 0;
};

// Order checked against the Wine IDL.
struct ISpriteVisual : IInspectable {
  static constexpr GUID kIid{0x08e05581, 0x1ad1, 0x4f97, {0x97, 0x57, 0x40, 0x2d, 0x76, 0xe4, 0x23, 0x3b}};
  virtual HRESULT STDMETHODCALLTYPE get_Brush(ICompositionBrush** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Brush(ICompositionBrush* value) = 0;
};

// Order checked against the Wine IDL.
struct IVisualCollection : IInspectable {
  static constexpr GUID kIid{0x8b745505, 0xfd3e, 0x4a98, {0x84, 0xa8, 0xe9, 0x49, 0x46, 0x8c, 0x6b, 0xcb}};
  virtual HRESULT STDMETHODCALLTYPE get_Count(INT32* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE InsertAbove(IVisual* newChild, IVisual* sibling) = 0;
  virtual HRESULT STDMETHODCALLTYPE InsertAtBottom(IVisual* newChild) = 0;
  virtual HRESULT STDMETHODCALLTYPE InsertAtTop(IVisual* newChild) = 0;
  virtual HRESULT STDMETHODCALLTYPE InsertBelow(IVisual* newChild, IVisual* sibling) = 0;
  virtual HRESULT STDMETHODCALLTYPE Remove(IVisual* child) = 0;
  virtual HRESULT STDMETHODCALLTYPE RemoveAll() = 0;
};

// Order checked against the Wine IDL.
struct ICompositionTarget : IInspectable {
  static constexpr GUID kIid{0xa1bea8ba, 0xd726, 0x4663, {0x81, 0x29, 0x6b, 0x5e, 0x79, 0x27, 0xff, 0xa6}};
  virtual HRESULT STDMETHODCALLTYPE get_Root(IVisual** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Root(IVisual* value) = 0;
};

// Windows.UI.Composition.Desktop; order checked against the SDK header
// (winrt/windows.ui.composition.desktop.h). Only queried for ICompositionTarget.
struct IDesktopWindowTarget : IInspectable {
  static constexpr GUID kIid{0x6329d6ca, 0x3366, 0x490e, {0x9d, 0xb3, 0x25, 0x31, 0x29, 0x29, 0xac, 0x51}};
  virtual HRESULT STDMETHODCALLTYPE get_IsTopmost(boolean* value) = 0;
};

// --- Brushes --------------------------------------------------------------------

// IID checked against the Wine IDL; the interface has no methods of its own.
struct ICompositionBrush : IInspectable {
  static constexpr GUID kIid{0xab0d7608, 0x30c0, 0x40e9, {0xb5, 0x68, 0xb6, 0x0a, 0x6b, 0xd1, 0xfb, 0x46}};
};

// Order checked against the Wine IDL.
struct ICompositionColorBrush : IInspectable {
  static constexpr GUID kIid{0x2b264c5e, 0xbf35, 0x4831, {0x86, 0x42, 0xcf, 0x70, 0xc2, 0x0f, 0xff, 0x2f}};
  virtual HRESULT STDMETHODCALLTYPE get_Color(Color* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Color(Color value) = 0;
};

// Order checked against the Wine IDL.
struct ICompositionSurfaceBrush : IInspectable {
  static constexpr GUID kIid{0xad016d79, 0x1e4c, 0x4c0d, {0x9c, 0x29, 0x83, 0x33, 0x8c, 0x87, 0xc1, 0x62}};
  virtual HRESULT STDMETHODCALLTYPE get_BitmapInterpolationMode(CompositionBitmapInterpolationMode* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_BitmapInterpolationMode(CompositionBitmapInterpolationMode value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_HorizontalAlignmentRatio(float* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_HorizontalAlignmentRatio(float value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Stretch(CompositionStretch* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Stretch(CompositionStretch value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Surface(ICompositionSurface** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Surface(ICompositionSurface* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_VerticalAlignmentRatio(float* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_VerticalAlignmentRatio(float value) = 0;
};

// Order checked against the SDK header.
struct ICompositionNineGridBrush : IInspectable {
  static constexpr GUID kIid{0xf25154e4, 0xbc8c, 0x4be7, {0xb8, 0x0f, 0x86, 0x85, 0xb8, 0x3c, 0x01, 0x86}};
  virtual HRESULT STDMETHODCALLTYPE get_BottomInset(float* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_BottomInset(float value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_BottomInsetScale(float* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_BottomInsetScale(float value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_IsCenterHollow(boolean* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_IsCenterHollow(boolean value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_LeftInset(float* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_LeftInset(float value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_LeftInsetScale(float* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_LeftInsetScale(float value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_RightInset(float* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_RightInset(float value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_RightInsetScale(float* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_RightInsetScale(float value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Source(ICompositionBrush** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Source(ICompositionBrush* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_TopInset(float* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_TopInset(float value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_TopInsetScale(float* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_TopInsetScale(float value) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetInsets(float inset) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetInsetsWithValues(float left, float top, float right, float bottom) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetInsetScales(float scale) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetInsetScalesWithValues(float left, float top, float right, float bottom) = 0;
};

// IID checked against the SDK header; no methods of its own.
struct ICompositionBackdropBrush : IInspectable {
  static constexpr GUID kIid{0xc5acae58, 0x3898, 0x499e, {0x8d, 0x7f, 0x22, 0x4e, 0x91, 0x28, 0x6a, 0x5d}};
};

// Order checked against the Wine IDL.
struct ICompositionEffectBrush : IInspectable {
  static constexpr GUID kIid{0xbf7f795e, 0x83cc, 0x44bf, {0xa4, 0x47, 0x3e, 0x3c, 0x07, 0x17, 0x89, 0xec}};
  virtual HRESULT STDMETHODCALLTYPE GetSourceParameter(HSTRING name, ICompositionBrush** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetSourceParameter(HSTRING name, ICompositionBrush* source) = 0;
};

// Order checked against the Wine IDL.
struct ICompositionEffectFactory : IInspectable {
  static constexpr GUID kIid{0xbe5624af, 0xba7e, 0x4510, {0x98, 0x50, 0x41, 0xc0, 0xb4, 0xff, 0x74, 0xdf}};
  virtual HRESULT STDMETHODCALLTYPE CreateBrush(ICompositionEffectBrush** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ExtendedError(HRESULT* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_LoadStatus(CompositionEffectFactoryLoadStatus* value) = 0;
};

// Order checked against the SDK header.
struct ICompositionEffectSourceParameter : IInspectable {
  static constexpr GUID kIid{0x858ab13a, 0x3292, 0x4e4e, {0xb3, 0xbb, 0x2b, 0x6c, 0x65, 0x44, 0xa6, 0xee}};
  virtual HRESULT STDMETHODCALLTYPE get_Name(HSTRING* value) = 0;
};

// Activation factory of CompositionEffectSourceParameter; order checked
// against the SDK header.
struct ICompositionEffectSourceParameterFactory : IInspectable {
  static constexpr GUID kIid{0xb3d9f276, 0xaba3, 0x4724, {0xac, 0xf3, 0xd0, 0x39, 0x74, 0x64, 0xdb, 0x1c}};
  virtual HRESULT STDMETHODCALLTYPE Create(HSTRING name, ICompositionEffectSourceParameter** instance) = 0;
};

// --- Clips and geometry ---------------------------------------------------------

// IID checked against the Wine IDL; no methods of its own.
struct ICompositionClip : IInspectable {
  static constexpr GUID kIid{0x1ccd2a52, 0xcfc7, 0x4ace, {0x99, 0x83, 0x14, 0x6b, 0xb8, 0xeb, 0x6a, 0x3c}};
};

// Order checked against the SDK header.
struct ICompositionGeometricClip : IInspectable {
  static constexpr GUID kIid{0xc840b581, 0x81c9, 0x4444, {0xa2, 0xc1, 0xcc, 0xae, 0xce, 0x3a, 0x50, 0xe5}};
  virtual HRESULT STDMETHODCALLTYPE get_Geometry(ICompositionGeometry** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Geometry(ICompositionGeometry* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ViewBox(ICompositionViewBox** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_ViewBox(ICompositionViewBox* value) = 0;
};

// Order checked against the SDK header.
struct ICompositionGeometry : IInspectable {
  static constexpr GUID kIid{0xe985217c, 0x6a17, 0x4207, {0xab, 0xd8, 0x5f, 0xd3, 0xdd, 0x61, 0x2a, 0x9d}};
  virtual HRESULT STDMETHODCALLTYPE get_TrimEnd(float* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_TrimEnd(float value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_TrimOffset(float* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_TrimOffset(float value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_TrimStart(float* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_TrimStart(float value) = 0;
};

// Order checked against the SDK header.
struct ICompositionRoundedRectangleGeometry : IInspectable {
  static constexpr GUID kIid{0x8770c822, 0x1d50, 0x4b8b, {0xb0, 0x13, 0x7c, 0x9a, 0x0e, 0x46, 0x93, 0x5f}};
  virtual HRESULT STDMETHODCALLTYPE get_CornerRadius(Vector2* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_CornerRadius(Vector2 value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Offset(Vector2* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Offset(Vector2 value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Size(Vector2* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Size(Vector2 value) = 0;
};

// Order checked against the SDK header.
struct ICompositionPathGeometry : IInspectable {
  static constexpr GUID kIid{0x0b6a417e, 0x2c77, 0x4c23, {0xaf, 0x5e, 0x63, 0x04, 0xc1, 0x47, 0xbb, 0x61}};
  virtual HRESULT STDMETHODCALLTYPE get_Path(ICompositionPath** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Path(ICompositionPath* value) = 0;
};

// IID checked against the SDK header; no methods of its own.
struct ICompositionPath : IInspectable {
  static constexpr GUID kIid{0x66da1d5f, 0x2e10, 0x4f22, {0x8a, 0x06, 0x0a, 0x81, 0x51, 0x91, 0x9e, 0x60}};
};

// Activation factory of CompositionPath; order checked against the SDK header.
struct ICompositionPathFactory : IInspectable {
  static constexpr GUID kIid{0x9c1e8c6a, 0x0f33, 0x4751, {0x94, 0x37, 0xeb, 0x3f, 0xb9, 0xd3, 0xab, 0x07}};
  virtual HRESULT STDMETHODCALLTYPE Create(IGeometrySource2D* source, ICompositionPath** instance) = 0;
};

// --- Surfaces and the graphics device -------------------------------------------

// IID checked against the Wine IDL; no methods of its own.
struct ICompositionSurface : IInspectable {
  static constexpr GUID kIid{0x1527540d, 0x42c7, 0x47a6, {0xa4, 0x08, 0x66, 0x8f, 0x79, 0xa9, 0x0d, 0xfb}};
};

// Order checked against the Wine IDL.
struct ICompositionDrawingSurface : IInspectable {
  static constexpr GUID kIid{0xa166c300, 0xfad0, 0x4d11, {0x9e, 0x67, 0xe4, 0x33, 0x16, 0x2f, 0xf4, 0x9e}};
  virtual HRESULT STDMETHODCALLTYPE get_AlphaMode(DirectXAlphaMode* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_PixelFormat(DirectXPixelFormat* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Size(FoundationSize* value) = 0;
};

// Order checked against the SDK header (declared up to the last slot used).
struct ICompositionDrawingSurface2 : IInspectable {
  static constexpr GUID kIid{0xfad0e88b, 0xe354, 0x44e8, {0x8e, 0x3d, 0xc4, 0x88, 0x0d, 0x5a, 0x21, 0x3f}};
  virtual HRESULT STDMETHODCALLTYPE get_SizeInt32(SizeInt32* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE Resize(SizeInt32 sizePixels) = 0;
};

// Order checked against the Wine IDL.
struct ICompositionGraphicsDevice : IInspectable {
  static constexpr GUID kIid{0xfb22c6e1, 0x80a2, 0x4667, {0x99, 0x36, 0xdb, 0xea, 0xf6, 0xee, 0xfe, 0x95}};
  virtual HRESULT STDMETHODCALLTYPE CreateDrawingSurface(FoundationSize sizePixels, DirectXPixelFormat pixelFormat,
                                                         DirectXAlphaMode alphaMode,
                                                         ICompositionDrawingSurface** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE add_RenderingDeviceReplaced(IRenderingDeviceReplacedHandler* handler,
                                                                EventRegistrationToken* token) = 0;
  virtual HRESULT STDMETHODCALLTYPE remove_RenderingDeviceReplaced(EventRegistrationToken token) = 0;
};

// Order checked against the SDK header.
struct ICompositionGraphicsDevice2 : IInspectable {
  static constexpr GUID kIid{0x0fb8bdf6, 0xc0f0, 0x4bcc, {0x9f, 0xb8, 0x08, 0x49, 0x82, 0x49, 0x0d, 0x7d}};
  virtual HRESULT STDMETHODCALLTYPE CreateDrawingSurface2(SizeInt32 sizePixels, DirectXPixelFormat pixelFormat,
                                                          DirectXAlphaMode alphaMode,
                                                          ICompositionDrawingSurface** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateVirtualDrawingSurface(SizeInt32 sizePixels, DirectXPixelFormat pixelFormat,
                                                                DirectXAlphaMode alphaMode,
                                                                ICompositionVirtualDrawingSurface** result) = 0;
};

}  // namespace orvane::winrt
